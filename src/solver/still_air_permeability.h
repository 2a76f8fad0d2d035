// Vapour permeability of still air.
#pragma once

#include "material/power.h"

namespace tamo {

// [kg/(m s Pa)] vapour permeability of still air at T [degC] and air pressure p [Pa].
// Power: how x^y is reached (power.h).
template <typename Power = CalledPower>
[[gnu::always_inline]] inline double stillAirVapourPermeability(double T, double p) {
  return 1.968e-07 * Power::of(T + 273.15, 0.81) / p;
}

}  // namespace tamo
