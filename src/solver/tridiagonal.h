// Guarded tridiagonal solve in place: row i reads b_i x_i - a_i x_(i-1) - c_i x_(i+1) = d_i.
#pragma once

#include <cmath>
#include <cstdint>

#include "model/one_based.h"

namespace tamo {

// Pivots smaller than this in magnitude get the reciprocal +-kGuardedReciprocal.
inline constexpr double kSmallestPivot = 1e-25;
inline constexpr double kGuardedReciprocal = 1e9;

// 1/m only for |m| >= 1e-25; every other pivot gets 1e9 when m >= 0 (0 and -0 included)
// and -1e9 otherwise. A pivot that does not compare (NaN) fails both tests and so gets -1e9.
inline double guardedReciprocal(double m) {
  if (std::fabs(m) >= kSmallestPivot) return 1.0 / m;
  return m >= 0.0 ? kGuardedReciprocal : -kGuardedReciprocal;
}

// Solves rows 1..n (n >= 1 entries in every array) on the calling thread:
//  1. fixes the boundary rows at the values x holds: b_1 = 1, c_1 = 0, d_1 = x_1;
//     a_n = 0, b_n = 1, d_n = x_n;
//  2. eliminates forward, overwriting c with the eliminated upper coefficients and d with
//     the eliminated right-hand side (a and b keep their values apart from rows 1 and n);
//  3. substitutes back into x (x_1 and x_n come back unchanged).
// Inside the step's parallel region the driver runs it on one thread between barriers.
void solveTridiagonal(int32_t n, OneBased<double>& c, OneBased<double>& b, OneBased<double>& a,
                      OneBased<double>& d, const HostArray<double>& x);

}  // namespace tamo
