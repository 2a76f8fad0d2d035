// PLACEHOLDER: replace with the real implementation.
#include "solver/moisture_balance.h"

namespace tamo {
void assembleMoistureBalance(Context&, StepState&) {}
}  // namespace tamo
