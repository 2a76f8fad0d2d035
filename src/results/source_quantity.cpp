#include "results/source_quantity.h"

#include "model/context.h"
#include "model/sources.h"

namespace tamo {

// Evaluates the source's own balance terms over its node range in the stored system's
// diagonal b and right-hand side d, then sums what they deliver at the given field,
// d_i - b_i * x_i. The infiltration model stores its rate from the given temperatures.
void sourceQuantity(Context& ctx, int32_t number, const double* temperature, const double* humidity,
                    double* heat, double* moisture) {
  const HostArray<const double> T(temperature);
  const HostArray<const double> phi(humidity);
  Source& s = ctx.sources[number];
  OneBased<double>& b = ctx.systemDiagonal;
  OneBased<double>& d = ctx.systemRightHandSide;
  const int32_t first = s.rangeStart + 1;
  const int32_t last = s.rangeStart + s.rangeCount;
  const bool active = isTrue(s.active);

  double heatSum = 0.0;      // [W/m2]
  double moistureSum = 0.0;  // [kg/(m2 s)]
  if (s.type == 0 || s.type == 2) {
    for (int32_t i = first; i <= last; ++i) b[i] = d[i] = 0.0;
    if (active) {
      for (int32_t i = first; i <= last; ++i) heatSourceTerms(ctx, s, i, T[i], b[i], d[i]);
    }
    for (int32_t i = first; i <= last; ++i) heatSum += d[i] - b[i] * T[i];
  }
  if (s.type == 1 || s.type == 2) {
    for (int32_t i = first; i <= last; ++i) b[i] = d[i] = 0.0;
    if (active) {
      for (int32_t i = first; i <= last; ++i) {
        // What the air-filled pores of the last step take up in one step.
        const double fillCapRate = ctx.airVoidFraction[i] * 1000.0 * ctx.inverseTimeStep;
        moistureSourceTerms(ctx, s, i, T, phi[i], ctx.saturationPressure[i], fillCapRate, b[i],
                            d[i]);
      }
    }
    for (int32_t i = first; i <= last; ++i) moistureSum += d[i] - b[i] * phi[i];
  }
  *heat = heatSum;
  *moisture = moistureSum;
}

}  // namespace tamo
