// Run summary of what an exterior surface received from the weather: short-wave
// irradiation (kWh/m2) and rain (kg/m2) per year of simulated time, and the mean long-wave
// counter-radiation (W/m2), integrated over the accepted steps.
#ifndef TAMO1D_SURFACE_CLIMATE_TOTALS_H
#define TAMO1D_SURFACE_CLIMATE_TOTALS_H

#include "step_observer.h"

namespace tamo1d {

// An observer factory for side 0 (A) or 1 (B).
StepObserverFactory surfaceClimateTotals(int side);

}  // namespace tamo1d

#endif
