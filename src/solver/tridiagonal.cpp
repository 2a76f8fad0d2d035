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

  // Forward elimination.
  double r = guardedReciprocal(b[1]);
  d[1] = d[1] * r;
  c[1] = c[1] * r;
  for (int32_t i = 2; i <= n; ++i) {
    const double m = b[i] - c[i - 1] * a[i];
    r = guardedReciprocal(m);
    d[i] = (a[i] * d[i - 1] + d[i]) * r;
    c[i] = c[i] * r;
  }

  // Back substitution.
  x[n] = d[n];
  for (int32_t i = n - 1; i >= 1; --i) x[i] = c[i] * x[i + 1] + d[i];
}

}  // namespace tamo
