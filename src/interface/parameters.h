// Solver parameters: switches, latent heats, tolerance, iteration limits and relaxation.
#pragma once

#include <cstdint>

namespace tamo {

struct Context;

struct ParameterFlags {
  int32_t heatTransport = 0;
  int32_t moistureTransport = 0;
  int32_t liquidTransport = 0;
  int32_t fineConvergence = 0;
  int32_t stabilisedIteration = 0;
  int32_t evaporation = 0;
  int32_t temperatureDependentEvaporation = 0;  // only read when withSlopeFlag
  int32_t fusion = 0;
  bool withSlopeFlag = false;  // true for the thirteen-argument form
};

// Applies the flags to the context (empties the sources) and marks the parameters set.
void applyParameters(Context& ctx, const ParameterFlags& flags);

}  // namespace tamo
