// The time step driver: one implicit step of the coupled heat and moisture balances.
#pragma once

#include <cstdint>

namespace tamo {

struct Context;

// The host's scalar outputs of a step.
struct StepOutputs {
  int32_t* iterationCount;       // iterations since the last reset of the counter
  double* maxHumidityChange;     // [-] largest humidity change of the last iteration
  double* maxTemperatureChange;  // [K] largest temperature change of the last iteration
  int32_t* status;               // status word (bits of solver/convergence_control.h)
};

// Checks that the context can be stepped, in this order: a grid exists (-7); dt is positive
// (-22; +inf passes); every interior node 2..n-1 has a material number in 1..M (-22).
// Returns 0 or the code of the first failing check; changes nothing.
int32_t checkStepPreconditions(const Context& ctx, double dt);

// Runs one step on host arrays of n entries (n = nodeCount; the preconditions hold).
// Returns 0, or -20 after divergence (outputs written all the same). Throws std::bad_alloc
// before anything changes when the step's scratch arrays cannot be obtained.
int32_t runStep(Context& ctx, double dt, double* temperature, double* humidity,
                double* waterContent, const StepOutputs& out);

}  // namespace tamo
