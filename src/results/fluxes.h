// Interface fluxes and surface transfer coefficients after a step.
#pragma once

#include <cstdint>

namespace tamo {

struct Context;

void computeFluxes(const Context& ctx, const double* temperature, const double* humidity,
                   double* heatFlux, double* enthalpyFlux, double* vapourFlux,
                   double* liquidFlux);

void surfaceCoefficients(const Context& ctx, double* heatA, double* vapourA, double* heatB,
                         double* vapourB);

}  // namespace tamo
