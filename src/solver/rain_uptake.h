// Re-balance of the rain uptake coefficient of a surface so that the liquid taken up over
// the step matches the rain the surface absorbs.
#pragma once

namespace tamo {

struct Context;
struct StepState;

enum class Side { A, B };

// Applies the re-balance of one side when the side is rain-active, its test temperature
// (ambient node 1 for side A, last interior node for side B) is above 0 degC and its
// surface coefficient is positive. The caller decides whether a re-balance is due.
void rebalanceRainUptake(Context& ctx, StepState& s, Side side);

}  // namespace tamo
