// The climate of both sides and the barometric pressure at one moment of the simulation,
// as tamoStep2 takes it.
#ifndef TAMO1D_CLIMATE_STATE_H
#define TAMO1D_CLIMATE_STATE_H

#include <array>

#include "case_model.h"

namespace tamo1d {

struct SideClimate {
  double temperature = 0.0;       // degC
  double humidity = 0.0;          // fraction
  double radiation = 0.0;         // W/m2
  double counterRadiation = 0.0;  // W/m2
  double rain = 0.0;              // kg/(m2 h)
};

struct ClimateState {
  std::array<SideClimate, 2> sides;  // side A, side B
  double pressure = 101325.0;        // Pa
};

// Climate at `seconds` after the start of the simulation (clock hour = start hour +
// seconds / 3600).
ClimateState climateAt(const Case& c, double seconds);

}  // namespace tamo1d

#endif
