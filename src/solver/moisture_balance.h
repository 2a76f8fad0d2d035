// Moisture balance assembly: vapour permeabilities, liquid transfer coefficients, storage
// capacities and moisture sources, written as tridiagonal rows for the node relative
// humidities. Called by every thread of the step's parallel region (guided schedule,
// chunk 1, closing barrier).
#pragma once

namespace tamo {

struct Context;
struct StepState;

void assembleMoistureBalance(Context& ctx, StepState& s);

}  // namespace tamo
