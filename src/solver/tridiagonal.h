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

// solveTridiagonal in three parts, so that a row can be eliminated as soon as it is
// assembled and the elimination's chain of divisions overlaps the assembly of the next
// rows: start() (boundary rows, row 1), eliminate(i) for i = 2..n-1 in order, finish()
// (row n, back substitution). The same operations in the same order as solveTridiagonal.
// Needs n >= 2; rows 1 and n must not change between start() and finish().
class TridiagonalSweep {
 public:
  TridiagonalSweep(int32_t n, OneBased<double>& c, OneBased<double>& b, OneBased<double>& a,
                   OneBased<double>& d, const HostArray<double>& x)
      : n_(n), c_(c), b_(b), a_(a), d_(d), x_(x) {}
  void start();
  void eliminate(int32_t i) {
    const double m = b_[i] - cPrevious_ * a_[i];
    const double r = guardedReciprocal(m);
    dPrevious_ = (a_[i] * dPrevious_ + d_[i]) * r;
    cPrevious_ = c_[i] * r;
    d_[i] = dPrevious_;
    c_[i] = cPrevious_;
  }
  void finish();

 private:
  int32_t n_;
  OneBased<double>& c_;
  OneBased<double>& b_;
  OneBased<double>& a_;
  OneBased<double>& d_;
  const HostArray<double>& x_;
  double cPrevious_ = 0.0;  // eliminated c of the previous row
  double dPrevious_ = 0.0;  // eliminated d of the previous row
};

}  // namespace tamo
