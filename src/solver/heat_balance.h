// Heat balance assembly: per-node material state, interface conductances, latent heat,
// heat capacity, sources and surface radiation, written as tridiagonal rows for the node
// temperatures. Both routines are called by every thread of the step's parallel region;
// they share the node loop (guided schedule, chunk 1) and end without a barrier (the
// caller synchronises before anything reads the rows or the refreshed node state).
#pragma once

#include <cstdint>

namespace tamo {

struct Context;
struct StepState;

class TridiagonalSweep;

// Assembles rows 2..n-1 of the temperature system into the context's system arrays. On a
// team of one thread a sweep, when given, eliminates each row in the course of the next
// row's assembly (the last one right after its own), rows in order.
void assembleHeatBalance(Context& ctx, StepState& s, TridiagonalSweep* sweep = nullptr);

// With heat transport off: refreshes water contents, capacities, vapour fluxes and latent
// heat of the nodes without writing an equation.
void refreshMoistureState(Context& ctx, StepState& s);

}  // namespace tamo
