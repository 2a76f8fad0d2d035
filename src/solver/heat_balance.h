// Heat balance assembly: per-node material state, interface conductances, latent heat,
// heat capacity, sources and surface radiation, written as tridiagonal rows for the node
// temperatures. Both routines are called by every thread of the step's parallel region;
// they share the node loop (guided schedule, chunk 1) and end with a barrier.
#pragma once

namespace tamo {

struct Context;
struct StepState;

// Assembles rows 2..n-1 of the temperature system into the context's system arrays.
void assembleHeatBalance(Context& ctx, StepState& s);

// With heat transport off: refreshes water contents, capacities, vapour fluxes and latent
// heat of the nodes without writing an equation.
void refreshMoistureState(Context& ctx, StepState& s);

}  // namespace tamo
