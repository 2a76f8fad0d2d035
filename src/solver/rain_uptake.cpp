#include "solver/rain_uptake.h"

#include <algorithm>
#include <cmath>

#include "model/context.h"
#include "solver/step_state.h"

namespace tamo {

void rebalanceRainUptake(Context& ctx, StepState& s, Side side) {
  const int32_t n = ctx.nodeCount;
  const bool isA = side == Side::A;
  const bool active = isA ? s.rainActiveA : s.rainActiveB;
  const double testTemperature = isA ? s.temperature[1] : s.temperature[n - 1];
  const int32_t k = isA ? 1 : n - 1;  // surface interface
  double& coefficient = ctx.liquidTransferCoefficient[k];
  if (!active || !(testTemperature > 0.0) || !(coefficient > 0.0)) return;

  // Liquid taken up over the step at the current coefficient [kg/m2].
  const double uptake = isA ? (s.humidity[1] - s.humidity[2]) * coefficient * s.surfaceFactorA
                            : (s.humidity[n] - s.humidity[n - 1]) * coefficient * s.surfaceFactorB;
  const double cap = isA ? s.uptakeCapA : s.uptakeCapB;
  const double rainAmount = isA ? s.rainAmountA : s.rainAmountB;
  double& mismatch = isA ? s.rainMismatchA : s.rainMismatchB;
  if (!(cap > 0.0)) {
    coefficient = 0.0;
    mismatch = 0.0;
    return;
  }
  if (uptake > 1e-25) {
    const double ratio = rainAmount / uptake;
    coefficient = std::min(std::pow(ratio, 1.5) * coefficient, cap);
  } else {
    coefficient = 0.0;
  }
  mismatch = (coefficient > 1e-25 && coefficient < cap)
                 ? std::fabs(uptake / rainAmount - 1.0) * 100.0
                 : 0.0;
}

}  // namespace tamo
