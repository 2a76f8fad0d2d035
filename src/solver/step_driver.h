// The time step driver: one implicit step of the coupled heat and moisture balances.
#pragma once

#include <cstdint>

namespace tamo {

struct Context;

struct StepOutputs {
  int32_t* iterationCount;
  double* maxHumidityChange;
  double* maxTemperatureChange;
  int32_t* status;
};

// Checks that the context can be stepped (grid, dt, interior materials). Returns 0 or the
// negative code of the first failing check; changes nothing.
int32_t checkStepPreconditions(const Context& ctx, double dt);

// Runs one step on host arrays of n entries. Returns 0, -20 after divergence, -11.
int32_t runStep(Context& ctx, double dt, double* temperature, double* humidity,
                double* waterContent, const StepOutputs& out);

}  // namespace tamo
