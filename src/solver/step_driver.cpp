#include "solver/step_driver.h"

#include <omp.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>

#include "interface/fp_mode.h"
#include "interface/result_codes.h"
#include "material/lookups.h"
#include "material/storage_function.h"
#include "model/context.h"
#include "solver/convergence_control.h"
#include "solver/heat_balance.h"
#include "solver/moisture_balance.h"
#include "solver/step_state.h"
#include "solver/tridiagonal.h"

namespace tamo {
namespace {

// Rain load [kg/(m2 h)] above which a side takes up liquid water.
constexpr double kRainThreshold = 0.1;
// Uptake coefficient of the first iteration on a rain-active side [kg/(m s)].
constexpr double kInitialRainUptakeCoefficient = 1e-4;
constexpr double kSecondsPerHour = 3600.0;
// Fewest interior nodes for which the step may share its iteration among a team of
// threads. Measured with bench_step on a 2-core machine: idle, two threads gained 1.05x at
// 100 interior nodes, 1.2x at 400 and 1.4x at 2000 (a row costs about 120 ns, each of the
// three barriers of an inner iteration microseconds); with other work on the machine they
// were slower than one thread, many times so, because every barrier then waits for a
// descheduled thread. Smaller grids therefore run on the calling thread alone, larger ones
// on a team only while the measured step times show that it pays (TeamChoice).
constexpr int32_t kSmallestTeamGrid = 1000;

// Folds one thread's partial maximum into the team's shared maximum without a lock. The
// result does not depend on the order in which the threads arrive. (An orphaned reduction
// clause on the shared reference would do the same, but not every compiler accepts one.)
void foldLargerKeepingNaN(double& shared, double partial) {
  std::atomic_ref<double> target(shared);
  double current = target.load(std::memory_order_relaxed);
  while (!target.compare_exchange_weak(current, largerKeepingNaN(current, partial),
                                       std::memory_order_relaxed)) {
  }
}

const MaterialRecord& materialOf(const Context& ctx, int32_t node) {
  return ctx.materials[static_cast<std::size_t>(ctx.nodeMaterial[node])];
}

// liquidUptakeCap of the material of a node; 0 for a node without material (the ambient
// node of a grid without interior node).
double uptakeCapOf(const Context& ctx, int32_t node) {
  const int32_t m = ctx.nodeMaterial[node];
  if (m < 1 || m > ctx.materialCount) return 0.0;
  return ctx.materials[static_cast<std::size_t>(m)].liquidUptakeCap;
}

// Rain at one surface before the iteration: a rain-active side above 0 degC starts with
// the initial uptake coefficient and a saturated ambient node.
void startRainUptake(Context& ctx, bool rainActive, double ambientTemperature,
                     int32_t surfaceInterface, double& ambientHumidity) {
  if (rainActive && ambientTemperature > 0.0) {
    ctx.liquidTransferCoefficient[surfaceInterface] = kInitialRainUptakeCoefficient;
    ambientHumidity = 1.0;
  } else if (isTrue(ctx.liquidTransport)) {
    ctx.liquidTransferCoefficient[surfaceInterface] = 0.0;
  }
}

// Step preparation on the calling thread, before the parallel region.
void prepareStep(Context& ctx, StepState& s, double dt) {
  const int32_t n = ctx.nodeCount;
  auto& T = s.temperature;
  auto& phi = s.humidity;

  ctx.secondRelaxation = ctx.secondRelaxationInitial;
  ctx.humidityRelaxation = ctx.humidityRelaxationInitial;
  ctx.inverseTimeStep = 1.0 / dt;

  s.uptakeCapA = uptakeCapOf(ctx, 2);
  s.uptakeCapB = uptakeCapOf(ctx, n - 1);
  s.uptakePossibleA = s.uptakeCapA > 0.0;
  s.uptakePossibleB = s.uptakeCapB > 0.0;

  const bool liquid = isTrue(ctx.liquidTransport);
  s.rainAmountA = ctx.sideA.absorbedRain * dt * (1.0 / kSecondsPerHour);
  s.rainActiveA = ctx.sideA.absorbedRain > kRainThreshold && liquid;
  s.rainAmountB = ctx.sideB.absorbedRain * dt * (1.0 / kSecondsPerHour);
  s.rainActiveB = ctx.sideB.absorbedRain > kRainThreshold && liquid;

  s.surfaceFactorA = ctx.inverseDistance[1] * dt;
  s.surfaceFactorB = ctx.inverseDistance[n - 1] * dt;

  // Ambient nodes.
  T[1] = ctx.sideA.ambientTemperature;
  T[n] = ctx.sideB.ambientTemperature;
  phi[1] = ctx.sideA.ambientHumidity;
  phi[n] = ctx.sideB.ambientHumidity;

  // Start-of-step copies keep the ambient humidities (before any rain override).
  std::copy_n(&phi[1], n, ctx.stepStartHumidity.data1());
  std::copy_n(&T[1], n, ctx.stepStartTemperature.data1());

  startRainUptake(ctx, s.rainActiveA, T[1], 1, phi[1]);
  startRainUptake(ctx, s.rainActiveB, T[n], n - 1, phi[n]);

  for (int32_t i = 2; i <= n - 1; ++i) {
    const MaterialRecord& m = materialOf(ctx, i);
    const double Ti = T[i];
    const double phii = phi[i];
    // Frost cap: below 0 degC part of the pore water is frozen.
    const double frostCap = Ti >= 0.0 ? 1.0 : 1.0 + 0.01 * Ti;
    const double unfrozenHumidity = phii <= frostCap ? phii : frostCap;  // NaN -> cap
    s.startUnfrozenWater[i] = storageValue(m, unfrozenHumidity, nullptr, &ctx.unfrozenRowHint[i]);
    s.startEnthalpy[i] =
        (m.nEnthalpy != 0 && m.enttab.rows() >= 1) ? lookupSloped(m.enttab, Ti) : 0.0;
    ctx.stepStartWaterContent[i] = storageValue(m, phii, nullptr, &ctx.storageRowHint[i]);
  }

  s.iterationLimit = std::max(ctx.restartIteration, ctx.iterationFloor);
  s.counter = 1;
}

// Arrival count of the team at the end of a work-shared phase. The thread that arrives
// last has every other thread's writes of the phase in view (each arrival releases them,
// the last one acquires them all) and runs the phase's one-thread part (a solve or the
// convergence control) before the team meets at the barrier that follows. This replaces
// the closing barrier of the work-shared loop plus the barrier of a `single` by one barrier.
class TeamArrivals {
 public:
  // True on the last of `teamSize` threads to arrive; it also rearms the count, which no
  // thread touches again before the barrier that follows.
  bool arriveLast(int teamSize) {
    if (count_.fetch_add(1, std::memory_order_acq_rel) + 1 < teamSize) return false;
    count_.store(0, std::memory_order_relaxed);
    return true;
  }

 private:
  std::atomic<int> count_{0};
};

// The inner iteration, executed by every thread of the step's parallel region. Three
// barriers per iteration: after the temperature solve, after the humidity solve and after
// the convergence control.
void iterate(Context& ctx, StepState& s, TeamArrivals& arrivals, double& maxT, double& maxPhi) {
  FloatingPointModeGuard fpMode;  // flush-to-zero and denormals-are-zero on this thread
  const int32_t n = ctx.nodeCount;
  const bool heat = isTrue(ctx.heatTransport);
  const bool moisture = isTrue(ctx.moistureTransport);
  const int team = omp_get_num_threads();
  auto& T = s.temperature;
  auto& phi = s.humidity;

  // All threads evaluate the loop test on shared values written before the last barrier,
  // so they leave the loop together.
  while (s.convergenceMeasure > ctx.tolerance && !s.teamBudgetSpent) {
    if (s.counter > s.iterationLimit) break;

    // The assembly loops end without a barrier: the last thread through its share of the
    // rows solves, the barrier makes the others wait for the solution.
    // A thread alone eliminates each row while it assembles the next one.
    if (heat && team == 1 && n >= 2) {
      TridiagonalSweep sweep(n, ctx.systemUpper, ctx.systemDiagonal, ctx.systemLower,
                             ctx.systemRightHandSide, T);
      sweep.start();
      assembleHeatBalance(ctx, s, &sweep);
      sweep.finish();
    } else if (heat) {
      assembleHeatBalance(ctx, s);
      if (arrivals.arriveLast(team)) {
        solveTridiagonal(n, ctx.systemUpper, ctx.systemDiagonal, ctx.systemLower,
                         ctx.systemRightHandSide, T);
      }
    } else {
      refreshMoistureState(ctx, s);
    }
    // The moisture assembly reads the solved temperatures (or the refreshed node state)
    // of the neighbours.
#pragma omp barrier
    if (moisture && team == 1 && n >= 2) {
      TridiagonalSweep sweep(n, ctx.systemUpper, ctx.systemDiagonal, ctx.systemLower,
                             ctx.systemRightHandSide, phi);
      sweep.start();
      assembleMoistureBalance(ctx, s, &sweep);
      sweep.finish();
    } else if (moisture) {
      assembleMoistureBalance(ctx, s);
      if (arrivals.arriveLast(team)) {
        solveTridiagonal(n, ctx.systemUpper, ctx.systemDiagonal, ctx.systemLower,
                         ctx.systemRightHandSide, phi);
      }
      // The relaxation reads the solved humidities.
#pragma omp barrier
    }

    // Under-relaxation of the new humidities and the largest changes of both fields.
    if (n - 1 >= 2) {
      const double relaxation = ctx.humidityRelaxation;
      double partialT = 0.0;    // this thread's largest temperature change [K]
      double partialPhi = 0.0;  // this thread's largest humidity change [-]
#pragma omp for schedule(static) nowait
      for (int32_t i = 2; i <= n - 1; ++i) {
        const double p = ctx.previousHumidity[i];
        phi[i] = p + relaxation * (phi[i] - p);
        partialPhi = largerKeepingNaN(partialPhi, std::fabs(p - phi[i]));
        partialT = largerKeepingNaN(partialT, std::fabs(ctx.previousTemperature[i] - T[i]));
      }
      foldLargerKeepingNaN(maxT, partialT);
      foldLargerKeepingNaN(maxPhi, partialPhi);
    }

    // The last thread to arrive has every row relaxed and every partial maximum folded.
    if (arrivals.arriveLast(team)) {
      ++s.innerIterations;
      s.teamBudgetSpent = s.innerIterations >= s.teamIterationBudget;
      controlConvergence(ctx, s, maxT, maxPhi);
      // Ready for the next fold, which starts after the barrier below.
      maxT = 0.0;
      maxPhi = 0.0;
    }
#pragma omp barrier
  }
}

// Water contents, air-void fractions and vapour diffusion fluxes after the iteration.
void postProcess(Context& ctx, StepState& s) {
  const int32_t n = ctx.nodeCount;
  auto& phi = s.humidity;
  auto& w = s.waterContent;
  w[1] = 0.0;
  w[n] = 0.0;
  for (int32_t i = 2; i <= n - 1; ++i) {
    const MaterialRecord& m = materialOf(ctx, i);
    const double wPrevious =
        storageValue(m, ctx.previousHumidity[i], nullptr, &ctx.storageRowHint[i]);
    ctx.airVoidFraction[i] = std::max(m.por - 0.001 * wPrevious, 0.0);
    w[i] = storageValue(m, phi[i], nullptr, &ctx.storageRowHint[i]);
  }
  for (int32_t k = 1; k <= n - 1; ++k) {
    const bool tight = (k >= 2 && isTrue(materialOf(ctx, k).vapourTight)) ||
                       (k + 1 <= n - 1 && isTrue(materialOf(ctx, k + 1).vapourTight));
    ctx.vapourDiffusionFlux[k] =
        tight ? 0.0
              : (phi[k] * ctx.saturationPressure[k] - phi[k + 1] * ctx.saturationPressure[k + 1]) *
                    ctx.vapourPermeability[k] * ctx.inverseDistance[k];
  }
}

}  // namespace

int32_t checkStepPreconditions(const Context& ctx, double dt) {
  if (!isTrue(ctx.gridDefined)) return kNoGrid;
  // Any positive dt runs, +inf included (its reciprocal 0 gives the steady state); zero,
  // negative and NaN time steps are refused.
  if (!(dt > 0.0)) return kBadArgument;
  const int32_t n = ctx.nodeCount;
  for (int32_t i = 2; i <= n - 1; ++i) {
    const int32_t m = ctx.nodeMaterial[i];
    if (m < 1 || m > ctx.materialCount) return kBadArgument;
  }
  return kOk;
}

int32_t runStep(Context& ctx, double dt, double* temperature, double* humidity,
                double* waterContent, const StepOutputs& out) {
  const int32_t n = ctx.nodeCount;
  StepState s(temperature, humidity, waterContent);
  // The only allocations of the step, made before anything changes.
  s.startUnfrozenWater.assign(static_cast<std::size_t>(n), 0.0);
  s.startEnthalpy.assign(static_cast<std::size_t>(n), 0.0);
  s.assemblyScratch.assign(static_cast<std::size_t>(n), 0.0);

  prepareStep(ctx, s, dt);

  // Per-iteration maxima, shared by the team; each thread folds its partial maxima in.
  double maxT = 0.0;
  double maxPhi = 0.0;
  TeamArrivals arrivals;
  // Grids below kSmallestTeamGrid interior nodes run on the calling thread alone: there a
  // team spends more time in its three barriers per iteration than it saves on the rows.
  // Larger grids take a team when the timings of earlier steps show that it pays. The
  // results are the same either way.
  const bool worthATeam = n - 2 >= kSmallestTeamGrid;
  const bool nested = omp_in_parallel() != 0;
  const bool teamPossible = !nested && worthATeam && omp_get_max_threads() > 1;
  const bool team = teamPossible && ctx.teamChoice.teamForNextStep();
  if (team && ctx.teamChoice.trialForNextStep()) s.teamIterationBudget = 1;
  const auto start = std::chrono::steady_clock::now();
  auto recordCost = [&] {
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    const double nodeIterations = static_cast<double>(n - 2) * std::max(1, s.innerIterations);
    ctx.teamChoice.record(team, elapsed.count() / nodeIterations);
  };
  if (nested || team) {
    // Inside an enclosing parallel region the step still opens its own (then one-thread)
    // region, so that its work-sharing constructs bind to it and not to the host's team.
#pragma omp parallel if (nested ? worthATeam : true)
    iterate(ctx, s, arrivals, maxT, maxPhi);
    if (s.teamBudgetSpent) {
      // A trial of the team: the calling thread finishes the step with the same iterate.
      recordCost();
      s.teamBudgetSpent = false;
      s.teamIterationBudget = INT32_MAX;
      iterate(ctx, s, arrivals, maxT, maxPhi);
    } else if (teamPossible) {
      recordCost();
    }
  } else {
    // A team of one thread: the same body on the calling thread, whose work-sharing
    // constructs then bind to its own one-thread team and need no synchronisation.
    iterate(ctx, s, arrivals, maxT, maxPhi);
    if (teamPossible) recordCost();
  }

  *out.iterationCount = s.counter - 1;
  *out.maxHumidityChange = s.maxHumidityChange;
  *out.maxTemperatureChange = s.maxTemperatureChange;

  if (isTrue(ctx.moistureTransport)) postProcess(ctx, s);
  const int32_t status = stepStatusWord(ctx, s);
  *out.status = status;
  return (status & kStatusDiverged) != 0 ? kDiverged : kOk;
}

}  // namespace tamo
