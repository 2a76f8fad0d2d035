// PLACEHOLDER: replace with the real implementation.
#include "solver/step_driver.h"
#include "model/context.h"

namespace tamo {

int32_t checkStepPreconditions(const Context&, double) { return 0; }
int32_t runStep(Context&, double, double*, double*, double*, const StepOutputs&) { return 0; }

}  // namespace tamo
