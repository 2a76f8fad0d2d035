// Spline under tension through n points: a curve that passes through every point, is
// continuous in value and first derivative, and between two points is a blend of a straight
// line and hyperbolic shape functions. The interval tension steers the blend: near 0 the
// interval is a cubic Hermite curve, a large tension pulls it towards the straight chord.
//
// The arrays are the caller's (0-based pointers); the routines read them as 1-based views:
//   x(1..n)        abscissae, strictly increasing
//   y(1..n)        ordinates
//   tension(1..n-1) one tension per interval (only the magnitude counts)
//   b(1..n)        in: b(1), b(n) the end derivatives; out: b(i) = y(i+1), i = 1..n-1
//   c(1..n-1), d(1..n-1) the shape coefficients of each interval
// The built curve is the quadruple (ya = y, yb = b, c, d) together with x and tension.
#pragma once

#include <cmath>
#include <cstdint>

namespace tamo {

// Error indicators of the handle-free numerical routines.
inline constexpr int32_t kSplineOk = 0;
inline constexpr int32_t kSplineTooFewPoints = 1;
inline constexpr int32_t kSplineOutsideCurve = 3;

// Derivative estimate at a point from the two neighbouring secants s1, s2 (weighted harmonic
// mean): s1 * s2 * dx / dy with dx, dy the spans of x and y over the two neighbours; 0 when
// |dy| < eps (a flat point or a local extremum).
inline double harmonicDerivative(double s1, double s2, double dx, double dy, double eps) {
  if (std::fabs(dy) < eps) return 0.0;
  return s1 * s2 * dx / dy;
}

// Builds the curve. Derivatives at the interior points come from harmonicDerivative, those at
// the ends from b(1), b(n). *ierr: 0 for n >= 3; 1 for n = 2 (built from the end derivatives
// alone) and for n < 2 (nothing written). Allocates a work array of n doubles.
void splineBuild(int32_t n, const double* x, const double* y, const double* tension, double* b,
                 double* c, double* d, double eps, int32_t* ierr);

// Value of the built curve at t; its first derivative in *deriv when deriv != nullptr.
// *ierr: 0; 1 for n < 2; 3 for t outside [x(1), x(n)] (or NaN). In the last two cases the
// result is 0 and *deriv is left untouched. Allocates nothing; safe to call concurrently.
double splineValue(int32_t n, const double* x, const double* tension, const double* ya,
                   const double* yb, const double* c, const double* d, double t, int32_t* ierr,
                   double* deriv);

}  // namespace tamo
