// Lookups over row tables. Each works on the rows the table holds (rows()); none of them
// allocates, locks or fails. x must increase strictly from row to row (not checked).
#pragma once

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

// Linear interpolation, held constant beyond both ends (y(1) below x(1), y(n) at and above
// x(n)). Meant for n >= 1; an empty table gives 0.
double lookupClamped(const PairTable& t, double x);
// Logarithmic interpolation (linear in ln y); y(n) from min(cap, x(n)) on; below x(1) the
// first row pair is extended logarithmically; 0 for an empty table. y must be positive.
double lookupLogCapped(const PairTable& t, double x, double cap);
// Logarithmic interpolation for x in 0..1: y(1) for x <= 0, y(n) for x > 1; the end row
// pairs are extended logarithmically between 0 and x(1) and between x(n) and 1.
// Meant for n >= 1; an empty table gives 0.
double lookupLogUnit(const PairTable& t, double x);
// Rows (x, y, slope): y(k) + (x - x(k)) * slope(k), extended linearly at both ends with
// slope(1) and slope(n). Meant for n >= 1; an empty table gives 0.
double lookupSloped(const TripleTable& t, double x);
// slope(k) of the row lookupSloped uses (slope(n) at and above x(n)). Meant for n >= 1; an
// empty table gives 0.
double slopeAt(const TripleTable& t, double x);

}  // namespace tamo
