// Derived node fields (water content, saturation pressure, dew point), layer and total
// water, and copies of the interface transport coefficients.
#pragma once

#include <cstdint>

namespace tamo {

struct Context;

void computeIntermediate(const Context& ctx, const double* temperature, const double* humidity,
                         double* waterContent, double* saturationPressure, double* dewPoint,
                         int32_t materialCount, double* layerWaterContent,
                         double* interiorMean, double* totalWater);

void copyTransport(const Context& ctx, int32_t count, double* heatConductance,
                   double* vapourPermeability, double* liquidTransferCoefficient);

// [degC] dew point of air at T [degC] and relative humidity phi; -100 for phi <= 0.
double dewPoint(double T, double phi);

}  // namespace tamo
