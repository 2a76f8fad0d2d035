// Convergence control of the inner iteration of a time step and the status word it leaves.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace tamo {

struct Context;
struct StepState;

// Status word bits of a step.
inline constexpr int32_t kStatusRainMismatch = 1;
inline constexpr int32_t kStatusNotConverged = 2;
inline constexpr int32_t kStatusDiverged = 4;

// Larger of two changes; a value that does not compare wins and becomes the canonical NaN,
// so that combining per-thread maxima gives the same bits in any order and thread count.
inline double largerKeepingNaN(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::numeric_limits<double>::quiet_NaN();
  return a < b ? b : a;
}

// Judges one iteration with its largest temperature change dT [K] and humidity change
// dPhi [-] (runs on one thread): weighs the two changes into one measure, accepts it or
// damps the relaxation factors when it stops shrinking, advances the counter and restarts
// a stubborn step once from its start state with re-balanced rain uptake.
void controlConvergence(Context& ctx, StepState& s, double dT, double dPhi);

// Status word of the finished step from the accepted measure and the rain mismatches.
int32_t stepStatusWord(const Context& ctx, const StepState& s);

}  // namespace tamo
