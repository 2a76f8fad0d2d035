// PLACEHOLDER: replace with the real implementation.
#include "solver/heat_balance.h"

namespace tamo {
void assembleHeatBalance(Context&, StepState&) {}
void refreshMoistureState(Context&, StepState&) {}
}  // namespace tamo
