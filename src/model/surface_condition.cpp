#include "model/surface_condition.h"

#include <algorithm>
#include <cmath>

#include "model/context.h"
#include "model/material_record.h"
#include "model/sources.h"

namespace tamo {
namespace {

// Derives the side's sdValue from the thickness input s at pressure p; with explicit
// long-wave exchange the heat transfer coefficient keeps only its convective part. Runs
// after heatTransferCoefficient, radiativeTransferPart and explicitLongWave hold their new
// values.
void applyTransferRule(SurfaceCondition& side, double s, double p) {
  const double hc = side.heatTransferCoefficient - side.radiativeTransferPart;
  if (isTrue(side.explicitLongWave)) side.heatTransferCoefficient = std::max(hc, 0.0);
  if (s < 0.0) {
    // A negative input gives the whole thickness, boundary layer included.
    side.sdValue = std::max(std::fabs(s), kMinimumSdValue);
  } else {
    // Coating plus the air boundary layer: still-air permeability over the boundary
    // layer's vapour transfer coefficient (h_c before any clamping to 0).
    side.sdValue = s + (kStillAirPermeabilityTimesPressure / p) /
                           (kVapourPerHeatTransfer * std::max(kMinimumConvectiveCoefficient, hc));
  }
}

void setSide(SurfaceCondition& side, double pressure, const double v[6], int32_t explicitFlag) {
  side.explicitLongWave = logical(isTrue(explicitFlag));
  side.radiativeTransferPart = v[5];
  side.heatTransferCoefficient = v[0];
  applyTransferRule(side, v[1], pressure);
  side.shortWaveAbsorptivity = v[2];
  side.emissivity = v[3];
  side.rainAbsorptionFactor = v[4];
}

// Seven climate values x1..x7 = h, sd, air temperature, air humidity, radiation,
// counter-radiation, rain.
void applySideClimate(SurfaceCondition& side, const double x[7], double pressure) {
  side.heatTransferCoefficient = x[0];
  side.sdValue = x[1];
  side.radiation = x[4];
  applyTransferRule(side, x[1], pressure);
  if (isTrue(side.explicitLongWave)) {
    side.absorbedRadiation = side.shortWaveAbsorptivity * x[4] + side.emissivity * x[5];
  } else if (x[4] >= 0.0) {
    side.absorbedRadiation = side.shortWaveAbsorptivity * x[4];
  } else {
    // Long-wave loss (also a value that does not compare).
    side.absorbedRadiation = side.emissivity * x[4];
  }
  side.rain = x[6];
  side.ambientTemperature = x[2];
  side.ambientHumidity = x[3];
  side.absorbedRain = x[6] * side.rainAbsorptionFactor;
}

}  // namespace

void setSurfaceConditions(Context& ctx, double pressure, const double sideA[6], int32_t explicitA,
                          const double sideB[6], int32_t explicitB) {
  setSide(ctx.sideA, pressure, sideA, explicitA);
  setSide(ctx.sideB, pressure, sideB, explicitB);
  ctx.surfaceConditionsSet = logical(true);
}

void applyClimate(Context& ctx, const double sideA[7], const double sideB[7], double pressure) {
  ctx.airPressure = pressure;
  applySideClimate(ctx.sideA, sideA, pressure);
  applySideClimate(ctx.sideB, sideB, pressure);
  refreshSourcesFromClimate(ctx);

  // Surface entries of the interface heat conductance: times inverseDistance they give the
  // surface heat transfer coefficients. They need the grid arrays.
  if (!isTrue(ctx.gridDefined)) return;
  const int32_t N = ctx.interfaceCount;
  ctx.heatConductance[1] = ctx.sideA.heatTransferCoefficient / ctx.inverseDistance[1];
  ctx.heatConductance[N] = ctx.sideB.heatTransferCoefficient / ctx.inverseDistance[N];
}

}  // namespace tamo
