// Moisture balance assembly: vapour permeabilities, liquid transfer coefficients, storage
// capacities and moisture sources, written as tridiagonal rows for the node relative
// humidities. Called by every thread of the step's parallel region (guided schedule,
// chunk 1, no closing barrier: the caller synchronises before the rows are solved).
#pragma once

#include <cstdint>

namespace tamo {

struct Context;
struct StepState;

class TridiagonalSweep;

// Assembles rows 2..n-1 of the relative humidity system into the context's system arrays.
// On a team of one thread a sweep, when given, eliminates each row in the course of the
// next row's assembly (the last one right after its own), rows in order.
void assembleMoistureBalance(Context& ctx, StepState& s, TridiagonalSweep* sweep = nullptr);

}  // namespace tamo
