// Lookups over row tables: linear, logarithmic and sloped interpolation with the end rules
// of each material property.
#include "material/lookups.h"

#include <algorithm>
#include <cmath>

namespace tamo {

namespace {

// Position of x within row k..k+1 (0 at x(k), 1 at x(k+1); outside 0..1 when extended).
template <int Cols>
inline double rowFraction(const RowTable<Cols>& t, int k, double x) {
  return (x - t.x(k)) / (t.x(k + 1) - t.x(k));
}

// y(k) * (y(k+1) / y(k)) ^ s: linear interpolation of ln y on row k.
inline double logInterpolate(const PairTable& t, int k, double x) {
  const double s = rowFraction(t, k, x);
  return t.y(k) * std::pow(t.y(k + 1) / t.y(k), s);
}

}  // namespace

double lookupClamped(const PairTable& t, double x) {
  const int n = t.rows();
  if (n <= 0) return 0.0;
  if (n == 1) return t.y(1);
  if (x < t.x(1)) return t.y(1);
  if (x >= t.x(n)) return t.y(n);
  const int k = searchRows(t, n, x);
  const double s = rowFraction(t, k, x);
  return (1.0 - s) * t.y(k) + s * t.y(k + 1);
}

double lookupLogCapped(const PairTable& t, double x, double cap) {
  const int n = t.rows();
  if (n <= 0) return 0.0;
  if (x >= std::min(cap, t.x(n))) return t.y(n);
  const int k = searchRows(t, n, x);
  if (k + 1 > n) return t.y(n);  // single row
  return logInterpolate(t, k, x);
}

double lookupLogUnit(const PairTable& t, double x) {
  const int n = t.rows();
  if (n <= 0) return 0.0;
  if (n == 1) return t.y(1);
  if (x > 1.0) return t.y(n);
  if (x <= 0.0) return t.y(1);
  const int k = searchRows(t, n, x);
  if (k + 1 > n) return t.y(n);
  return logInterpolate(t, k, x);
}

double lookupSloped(const TripleTable& t, double x) {
  const int n = t.rows();
  if (n <= 0) return 0.0;
  if (n == 1) return t.y(1) + (x - t.x(1)) * t.z(1);
  if (x >= t.x(n)) return t.y(n) + (x - t.x(n)) * t.z(n);
  const int k = searchRows(t, n, x);
  return t.y(k) + (x - t.x(k)) * t.z(k);
}

double slopeAt(const TripleTable& t, double x) {
  const int n = t.rows();
  if (n <= 0) return 0.0;
  if (n == 1) return t.z(1);
  if (x >= t.x(n)) return t.z(n);
  return t.z(searchRows(t, n, x));
}

}  // namespace tamo
