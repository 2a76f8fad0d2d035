// The climate of both sides and the barometric pressure at one moment of the simulation,
// taken from the case's providers.
#ifndef TAMO1D_SURFACE_CLIMATE_H
#define TAMO1D_SURFACE_CLIMATE_H

#include "case_model.h"
#include "climate_provider.h"

namespace tamo1d {

// Climate at `seconds` after the start of the simulation (clock hour = start hour +
// seconds / 3600).
ClimateState climateAt(const Case& c, double seconds);

}  // namespace tamo1d

#endif
