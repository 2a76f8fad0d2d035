#include "surface_climate.h"

namespace tamo1d {

ClimateState climateAt(const Case& c, double seconds) {
  const double hour = c.time.startHour + seconds / 3600.0;
  ClimateState state;
  for (std::size_t s = 0; s < 2; ++s) state.sides[s] = c.climate[s]->at(hour);
  state.pressure = c.pressure.at(hour);
  if (!c.pressureGiven) {
    for (std::size_t s = 0; s < 2; ++s) {
      if (c.climate[s]->pressureAt(hour, &state.pressure)) break;
    }
  }
  return state;
}

}  // namespace tamo1d
