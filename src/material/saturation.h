// Saturation vapour pressure over water and ice and saturation vapour density.
#pragma once

#include "material/power.h"

namespace tamo {

// [Pa] saturation vapour pressure at T [degC]; over ice below 0 degC, linear branches
// beyond +-100 degC keep it finite and monotone. Power: how e^x is reached (power.h).
template <typename Power = CalledPower>
[[gnu::always_inline]] inline double saturationVapourPressure(double T) {
  if (T > 100.0) return 1e-08 * T + 101291.0;
  if (T >= 0.0) return 610.78 * Power::exp(17.08 * T / (234.18 + T));
  if (T >= -100.0) return 610.71 * Power::exp(22.44 * T / (272.44 + T));
  return 1e-08 * T + 0.001363;
}

// [Pa/K] slope of the exponential form at T, scaled by the node's stored pressure psat.
inline double saturationPressureSlope(double psat, double T) {
  if (T >= 0.0) return psat * 17.08 * 234.18 / ((234.18 + T) * (234.18 + T));
  return psat * 22.44 * 272.44 / ((272.44 + T) * (272.44 + T));
}

// [kg/m3] vapour density of saturated air at T [degC], with the enhancement factor f.
inline double saturationVapourDensity(double T) {
  const double f = T >= 0.0 ? ((0.1 * T + 1.0) * (0.1 * T + 1.0) + 4.0) * 0.0001
                            : (0.1 * (60.0 + T) - 1.0) * (0.1 * (60.0 + T) - 1.0) * 2e-05;
  return saturationVapourPressure(T) / (1.0 - f) / 462.0 / (T + 273.15);
}

}  // namespace tamo
