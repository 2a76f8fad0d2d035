// Helpers that prepare a spline under tension for a set of points: derivative estimates at
// the points and interval tensions. All arrays are the caller's (0-based pointers) and are
// read as 1-based views x(1..n), y(1..n) (x strictly increasing); a tension array t(1..n)
// holds the tension of interval i in t(i), t(n) belongs to no interval.
#pragma once

#include <cstdint>

namespace tamo {

// s(1..n): derivative at each point from the weighted harmonic mean of the neighbouring
// secants, the same estimate the spline build uses inside; ends from the first and last
// three points. A point whose y-span over its neighbours is below eps gets 0.
// *ierr = 1 for n < 3 (nothing written), else 0.
void derivativesHarmonic(int32_t n, const double* x, const double* y, double* s, double eps,
                         int32_t* ierr);

// s(1..n): derivative at each point of the parabola through it and its neighbours; 0 next to
// a flat secant (|secant| < eps), and an end value opposing its end secant becomes 0.
// *ierr = 1 for n < 3 (nothing written), else 0.
void derivativesParabolic(int32_t n, const double* x, const double* y, double* s, double eps,
                          int32_t* ierr);

// t(1..n): base tension t0 = max(1, t(1) on input); intervals in which the estimated second
// derivative changes sign get t0, the others t0 / 4, the last interval max(8, t0 / 2); t(n)
// = t0. Nothing happens for n <= 0. Allocates two work arrays of n doubles for n >= 3.
void tensionsFromInflections(int32_t n, const double* x, const double* y, double* t, double eps);

// t(1..n): tensions that keep the spline's shape. On input t(1) is the start tension and
// t(n-1), t(n) the end derivatives of the curve. All tensions start at max(0.1, t(1)) and each
// pass of builds and probe evaluations raises by 1 the tension of every interval whose slopes
// or whose curvature around its left point change sign (product below crit), until no
// raised tension is at most max(20, min(tmax, 100)). *ierr: 1 for n < 3, else the indicator
// of the last build or probe evaluation. Probes outside the curve are not clamped and count
// as 0. The probes evaluate with t as it stands, so a tension raised earlier in a pass acts
// on the later probes of that pass. Allocates three work arrays of n doubles.
void tensionsByShape(int32_t n, const double* x, const double* y, double* t, double tmax,
                     double crit, int32_t* ierr);

}  // namespace tamo
