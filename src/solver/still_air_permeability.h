// Vapour permeability of still air.
#pragma once

#include "material/power.h"

namespace tamo {

// [kg/(m s Pa)] vapour permeability of still air at T [degC] and air pressure p [Pa].
inline double stillAirVapourPermeability(double T, double p) {
  return 1.968e-07 * power(T + 273.15, 0.81) / p;
}

}  // namespace tamo
