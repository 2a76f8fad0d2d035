// Surface conditions of the two sides: constant surface properties and the climate of the
// current step.
#pragma once

#include <cstdint>

namespace tamo {

struct Context;

struct SurfaceCondition {
  double ambientTemperature = 0.0;       // [degC] air temperature of the side
  double ambientHumidity = 0.0;          // [-] relative humidity of the air
  double radiation = 0.0;                // [W/m2] >= 0 short-wave gain, < 0 long-wave loss
  double rain = 0.0;                     // [kg/(m2 h)] rain load
  double heatTransferCoefficient = 0.0;  // [W/(m2 K)] convective only with explicitLongWave
  double sdValue = 0.0;                  // [m] diffusion-equivalent air layer incl. boundary
  double shortWaveAbsorptivity = 0.0;    // [-]
  double emissivity = 0.0;               // [-]
  double rainAbsorptionFactor = 0.0;     // [-]
  double absorbedRain = 0.0;             // [kg/(m2 h)] rain * rainAbsorptionFactor
  double absorbedRadiation = 0.0;        // [W/m2]
  double radiativeTransferPart = 0.0;    // [W/(m2 K)] long-wave part of the coefficient
  int32_t explicitLongWave = 0;          // logical
};

// Vapour permeability of still air at 10 degC times the pressure, 1.968e-7 * 283.15^0.81.
inline constexpr double kStillAirPermeabilityTimesPressure = 1.906156316294392e-5;
// Smallest directly given diffusion-equivalent thickness [m].
inline constexpr double kMinimumSdValue = 0.007680384859255765;

// Stores the constant surface properties of both sides and marks them set.
void setSurfaceConditions(Context& ctx, double pressure, const double sideA[6],
                          int32_t explicitA, const double sideB[6], int32_t explicitB);

// Climate update of both sides (seven values each: h, sd, T, phi, radiation,
// counter-radiation, rain), air pressure, climate refresh of sources and the surface heat
// conductances (skipped while no grid exists).
void applyClimate(Context& ctx, const double sideA[7], const double sideB[7], double pressure);

}  // namespace tamo
