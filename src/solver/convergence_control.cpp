#include "solver/convergence_control.h"

#include <algorithm>
#include <cmath>

#include "model/context.h"
#include "solver/rain_uptake.h"
#include "solver/step_state.h"

namespace tamo {
namespace {

constexpr double kDampingFactor = 0.9;
// The weight of the temperature change is only derived from a change above this [K].
constexpr double kSmallestTemperatureChange = 1e-25;
// A restart needs an accepted change this many times the tolerance.
constexpr double kRestartToleranceFactor = 50.0;
constexpr double kNotConvergedMeasure = 0.001;
constexpr double kDivergedMeasure = 1e20;
// Thresholds of the rain mismatch bit: mismatch [%] and surface humidity difference [-].
constexpr double kMismatchThreshold = 0.1;
constexpr double kMismatchHumidityDifference = 1e-4;

void acceptMeasure(StepState& s, double measure) {
  s.acceptedMeasure = measure;
  s.convergenceMeasure = measure + s.rainMismatchA + s.rainMismatchB;
}

// Restart of the step from its initial state with re-balanced rain uptake (once per step).
void restartStep(Context& ctx, StepState& s) {
  const int32_t n = ctx.nodeCount;
  ctx.humidityRelaxation = ctx.humidityRelaxationInitial;
  ctx.secondRelaxation = ctx.secondRelaxationInitial;
  rebalanceRainUptake(ctx, s, Side::A);
  rebalanceRainUptake(ctx, s, Side::B);
  // Interior nodes back to the start of the step; the ambient nodes keep their values,
  // including a rain override of the humidity.
  if (n - 2 >= 1) {
    std::copy_n(&ctx.stepStartHumidity[2], n - 2, &s.humidity[2]);
    std::copy_n(&ctx.stepStartTemperature[2], n - 2, &s.temperature[2]);
  }
  s.restarted = true;
  s.firstIterationFlag = true;
  s.justRestarted = true;
  s.counter = 0;
}

}  // namespace

void controlConvergence(Context& ctx, StepState& s, double dT, double dPhi) {
  const bool heat = isTrue(ctx.heatTransport);
  const bool moisture = isTrue(ctx.moistureTransport);
  if (moisture) s.firstIterationFlag = false;
  s.justRestarted = false;

  s.maxTemperatureChange = dT;
  s.maxHumidityChange = dPhi;
  int32_t c = s.counter;

  // First iteration after a reset of the counter: weigh temperature changes so that they
  // count like the humidity changes of the same iteration.
  if (c == 1 && heat && moisture && dT > kSmallestTemperatureChange && dPhi > dT) {
    s.changeWeight = dPhi / dT;
  }
  const double measure = largerKeepingNaN(dT * s.changeWeight, dPhi);

  double carried = 0.0;  // the value the restart test judges
  if (c < ctx.dampingStartIteration || measure < s.acceptedMeasure) {
    acceptMeasure(s, measure);
    carried = measure;
  } else {
    // The change did not shrink.
    const double r = ctx.humidityRelaxation;
    if (!s.restarted && ctx.secondRelaxation > ctx.secondRelaxationMinimum &&
        2.0 * r < ctx.humidityRelaxationInitial) {
      ctx.secondRelaxation = ctx.secondRelaxation * kDampingFactor;
      c = 0;
    }
    if (r <= ctx.humidityRelaxationMinimum) {
      acceptMeasure(s, measure);
      carried = measure;
    } else {
      ctx.humidityRelaxation = r * kDampingFactor;
      c = 0;
      s.convergenceMeasure = measure;  // without the rain mismatches
      carried = s.acceptedMeasure;
    }
  }

  c = c + 1;
  s.counter = c;

  // A carried value that does not compare causes no restart.
  if (!s.restarted && c == ctx.restartIteration &&
      carried > kRestartToleranceFactor * ctx.tolerance) {
    restartStep(ctx, s);
  }
}

int32_t stepStatusWord(const Context& ctx, const StepState& s) {
  const int32_t n = ctx.nodeCount;
  const auto& T = s.temperature;
  const auto& phi = s.humidity;
  int32_t status = 0;
  // The whole mismatch test hangs on side A's rain state, also for the side B part.
  if (s.rainActiveA && T[1] > 0.0 &&
      ((s.rainMismatchA > kMismatchThreshold &&
        std::fabs(phi[1] - phi[2]) > kMismatchHumidityDifference) ||
       (s.rainMismatchB > kMismatchThreshold &&
        std::fabs(phi[n] - phi[n - 1]) > kMismatchHumidityDifference))) {
    status |= kStatusRainMismatch;
  }
  if (s.acceptedMeasure > kNotConvergedMeasure) status |= kStatusNotConverged;
  if (s.acceptedMeasure > kDivergedMeasure) status |= kStatusDiverged;
  return status;
}

}  // namespace tamo
