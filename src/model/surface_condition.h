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
// Vapour transfer coefficient of the air boundary layer per unit convective heat transfer
// coefficient [kg/(m2 s Pa) per W/(m2 K)], and the smallest convective coefficient it uses.
inline constexpr double kVapourPerHeatTransfer = 7e-9;
inline constexpr double kMinimumConvectiveCoefficient = 3.5;

// Stores the constant surface properties of both sides and marks them set. Per side six
// values in this order: heat transfer coefficient [W/(m2 K)], thickness input [m] (a
// coating's sd value to which the air boundary layer is added, or with a negative sign the
// whole thickness), short-wave absorptivity, emissivity, rain absorption factor, radiative
// part of the heat transfer coefficient [W/(m2 K)]. pressure [Pa] serves only the
// boundary-layer thickness. The caller has checked surfaceConditionsSet.
void setSurfaceConditions(Context& ctx, double pressure, const double sideA[6], int32_t explicitA,
                          const double sideB[6], int32_t explicitB);

// Climate update of both sides (seven values each: h, sd, T, phi, radiation,
// counter-radiation, rain), air pressure, climate refresh of sources and the surface heat
// conductances (skipped while no grid exists).
void applyClimate(Context& ctx, const double sideA[7], const double sideB[7], double pressure);

}  // namespace tamo
