// Spline under tension: build and evaluation over 1-based views of caller arrays.
#pragma once

#include <cstdint>

namespace tamo {

void splineBuild(int32_t n, const double* x, const double* y, const double* tension, double* b,
                 double* c, double* d, double eps, int32_t* ierr);
// Value at t; derivative in *deriv when deriv != nullptr.
double splineValue(int32_t n, const double* x, const double* tension, const double* ya,
                   const double* yb, const double* c, const double* d, double t, int32_t* ierr,
                   double* deriv);

}  // namespace tamo
