// Lookups over row tables. Each works on the rows the table holds (rows()); none of them
// allocates, locks or fails. x must increase strictly from row to row (not checked).
// Defined here so that the balance assemblies, which call them for every node and
// iteration, get them inlined.
#pragma once

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "material/row_table.h"

namespace tamo {

// Row k with x(k) <= x < x(k+1) among rows 1..n of a table (x column), by bisection:
// 1 below x(1), n-1 at or above x(n), 1 for n = 1 (and for n <= 0, which callers exclude).
// n must not exceed t.rows(). A NaN argument gives n-1.
template <int Cols>
inline int searchRows(const RowTable<Cols>& t, int n, double x) {
  int lo = 1;
  int hi = n;
  if (n < 2) return 1;
  for (;;) {
    const int mid = (lo + hi) / 2;
    if (mid == lo) break;
    if (t.x(mid) > x) {
      hi = mid;
    } else {
      lo = mid;
    }
  }
  return lo;
}

// searchRows starting from a remembered row: *hint holds the row this lookup site found
// last time (any value, 0 when none) and receives the row found now. In a table whose x
// never decrease only one row k has x(k) <= x < x(k+1), so the row found is that of
// searchRows whatever the hint holds; a table not known to be ascending (and a null hint)
// takes the plain search. The hint is read and written with relaxed atomic accesses:
// threads may share it, and what they leave in it changes only the search time.
template <int Cols>
inline int searchRowsFrom(const RowTable<Cols>& t, int n, double x, int32_t* hint) {
  if (hint == nullptr || !t.ascending) return searchRows(t, n, x);
  std::atomic_ref<int32_t> memory(*hint);
  const int k = memory.load(std::memory_order_relaxed);
  if (k >= 1 && k + 1 <= n) {
    // the remembered row and its two neighbours
    if (x >= t.x(k)) {
      if (x < t.x(k + 1)) return k;
      if (k + 2 <= n && x < t.x(k + 2)) {
        memory.store(k + 1, std::memory_order_relaxed);
        return k + 1;
      }
    } else if (k >= 2 && x >= t.x(k - 1)) {
      memory.store(k - 1, std::memory_order_relaxed);
      return k - 1;
    }
  }
  const int found = searchRows(t, n, x);
  memory.store(found, std::memory_order_relaxed);
  return found;
}

namespace detail {

// Position of x within row k..k+1 (0 at x(k), 1 at x(k+1); outside 0..1 when extended).
template <int Cols>
inline double rowFraction(const RowTable<Cols>& t, int k, double x) {
  return (x - t.x(k)) / (t.x(k + 1) - t.x(k));
}

// y(k) * (y(k+1) / y(k)) ^ s: linear interpolation of ln y on row k. The ratio and its
// logarithm come from the table's ratios when it holds them. Power: how x^y is reached
// (power.h).
template <typename Power>
[[gnu::always_inline]] inline double logInterpolate(const PairTable& t, int k, double x) {
  const double s = detail::rowFraction(t, k, x);
  if (static_cast<std::size_t>(k) <= t.ratios.size()) {
    const RowRatio& q = t.ratios[k - 1];
    return t.y(k) * Power::fromBase(q.ratio, q.log, s);
  }
  return t.y(k) * Power::of(t.y(k + 1) / t.y(k), s);
}

}  // namespace detail

// Linear interpolation, held constant beyond both ends (y(1) below x(1), y(n) at and above
// x(n)). Meant for n >= 1; an empty table gives 0.
inline double lookupClamped(const PairTable& t, double x) {
  const int n = t.rows();
  if (n <= 0) return 0.0;
  if (n == 1) return t.y(1);
  if (x < t.x(1)) return t.y(1);
  if (x >= t.x(n)) return t.y(n);
  const int k = searchRows(t, n, x);
  const double s = detail::rowFraction(t, k, x);
  return (1.0 - s) * t.y(k) + s * t.y(k + 1);
}

// Logarithmic interpolation (linear in ln y); y(n) from min(cap, x(n)) on; below x(1) the
// first row pair is extended logarithmically; 0 for an empty table. y must be positive.
// hint: row memory of the call site (see searchRowsFrom), or null.
template <typename Power = CalledPower>
[[gnu::always_inline]] inline double lookupLogCapped(const PairTable& t, double x, double cap,
                                                     int32_t* hint = nullptr) {
  const int n = t.rows();
  if (n <= 0) return 0.0;
  if (x >= std::min(cap, t.x(n))) return t.y(n);
  const int k = searchRowsFrom(t, n, x, hint);
  if (k + 1 > n) return t.y(n);  // single row
  return detail::logInterpolate<Power>(t, k, x);
}

// Logarithmic interpolation for x in 0..1: y(1) for x <= 0, y(n) for x > 1; the end row
// pairs are extended logarithmically between 0 and x(1) and between x(n) and 1.
// Meant for n >= 1; an empty table gives 0. hint: row memory of the call site (see
// searchRowsFrom), or null.
template <typename Power = CalledPower>
[[gnu::always_inline]] inline double lookupLogUnit(const PairTable& t, double x,
                                                   int32_t* hint = nullptr) {
  const int n = t.rows();
  if (n <= 0) return 0.0;
  if (n == 1) return t.y(1);
  if (x > 1.0) return t.y(n);
  if (x <= 0.0) return t.y(1);
  const int k = searchRowsFrom(t, n, x, hint);
  if (k + 1 > n) return t.y(n);
  return detail::logInterpolate<Power>(t, k, x);
}

// Rows (x, y, slope): y(k) + (x - x(k)) * slope(k), extended linearly at both ends with
// slope(1) and slope(n). Meant for n >= 1; an empty table gives 0.
inline double lookupSloped(const TripleTable& t, double x) {
  const int n = t.rows();
  if (n <= 0) return 0.0;
  if (n == 1) return t.y(1) + (x - t.x(1)) * t.z(1);
  if (x >= t.x(n)) return t.y(n) + (x - t.x(n)) * t.z(n);
  const int k = searchRows(t, n, x);
  return t.y(k) + (x - t.x(k)) * t.z(k);
}

// slope(k) of the row lookupSloped uses (slope(n) at and above x(n)). Meant for n >= 1; an
// empty table gives 0.
inline double slopeAt(const TripleTable& t, double x) {
  const int n = t.rows();
  if (n <= 0) return 0.0;
  if (n == 1) return t.z(1);
  if (x >= t.x(n)) return t.z(n);
  return t.z(searchRows(t, n, x));
}

}  // namespace tamo
