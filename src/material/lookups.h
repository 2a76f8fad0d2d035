// Lookups over row tables. Each works on the rows the table holds (rows()).
#pragma once

#include "material/row_table.h"

namespace tamo {

// Row k with x(k) <= x < x(k+1) by bisection over rows lo..hi of any table (x column);
// 1 below x(1), n-1 at or above x(n), 1 for n = 1.
template <int Cols>
int searchRows(const RowTable<Cols>& t, int n, double x);

// Linear interpolation, held constant beyond both ends. Needs rows() >= 1.
double lookupClamped(const PairTable& t, double x);
// Logarithmic interpolation; y(n) from min(cap, x(n)) on; 0 for an empty table.
double lookupLogCapped(const PairTable& t, double x, double cap);
// Logarithmic interpolation for x in 0..1: y(1) for x <= 0, y(n) for x > 1. Needs >= 1 row.
double lookupLogUnit(const PairTable& t, double x);
// y(k) + (x - x(k)) * slope(k), extended linearly at both ends. Needs rows() >= 1.
double lookupSloped(const TripleTable& t, double x);
// slope(k) of the row lookupSloped uses. Needs rows() >= 1.
double slopeAt(const TripleTable& t, double x);

}  // namespace tamo
