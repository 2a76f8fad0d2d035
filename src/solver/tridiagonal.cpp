#include "solver/tridiagonal.h"

namespace tamo {

void solveTridiagonal(int32_t n, OneBased<double>& c, OneBased<double>& b, OneBased<double>& a,
                      OneBased<double>& d, const HostArray<double>& x) {
  if (n < 1) return;

  // Boundary rows: the ambient node values stay as they are.
  b[1] = 1.0;
  c[1] = 0.0;
  d[1] = x[1];
  a[n] = 0.0;
  b[n] = 1.0;
  d[n] = x[n];

  // Forward elimination. The eliminated coefficients of the previous row stay in
  // registers (cPrevious, dPrevious): the sweep is one long dependency chain, and reloading
  // them from memory would lengthen every link.
  double r = guardedReciprocal(b[1]);
  double dPrevious = d[1] * r;
  double cPrevious = c[1] * r;
  d[1] = dPrevious;
  c[1] = cPrevious;
  for (int32_t i = 2; i <= n; ++i) {
    const double m = b[i] - cPrevious * a[i];
    r = guardedReciprocal(m);
    dPrevious = (a[i] * dPrevious + d[i]) * r;
    cPrevious = c[i] * r;
    d[i] = dPrevious;
    c[i] = cPrevious;
  }

  // Back substitution.
  double xNext = d[n];
  x[n] = xNext;
  for (int32_t i = n - 1; i >= 1; --i) {
    xNext = c[i] * xNext + d[i];
    x[i] = xNext;
  }
}

void TridiagonalSweep::start() {
  b_[1] = 1.0;
  c_[1] = 0.0;
  d_[1] = x_[1];
  a_[n_] = 0.0;
  b_[n_] = 1.0;
  d_[n_] = x_[n_];
  const double r = guardedReciprocal(b_[1]);
  dPrevious_ = d_[1] * r;
  cPrevious_ = c_[1] * r;
  d_[1] = dPrevious_;
  c_[1] = cPrevious_;
}

void TridiagonalSweep::finish() {
  eliminate(n_);
  double xNext = d_[n_];
  x_[n_] = xNext;
  for (int32_t i = n_ - 1; i >= 1; --i) {
    xNext = c_[i] * xNext + d_[i];
    x_[i] = xNext;
  }
}

}  // namespace tamo
