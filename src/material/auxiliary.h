// Derivative estimators, tension selectors and interface checks for spline hosts.
#pragma once

#include <cstdint>

namespace tamo {

void derivativesHarmonic(int32_t n, const double* x, const double* y, double* s, double eps,
                         int32_t* ierr);
void derivativesParabolic(int32_t n, const double* x, const double* y, double* s, double eps,
                          int32_t* ierr);
void tensionsFromInflections(int32_t n, const double* x, const double* y, double* t,
                             double eps);
void tensionsByShape(int32_t n, const double* x, const double* y, double* t, double tmax,
                     double crit, int32_t* ierr);

}  // namespace tamo
