// Convergence control and status word, driven with hand-chosen changes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "model/context.h"
#include "solver/convergence_control.h"
#include "solver/step_state.h"

namespace {

constexpr int32_t kNodes = 5;

// A context with five nodes and the relaxation settings of the plain parameter set;
// damping starts at counter 3, the restart is due at counter 6.
struct Fixture {
  tamo::Context ctx;
  std::vector<double> T, phi, w;  // host arrays, element 0 is node 1
  tamo::StepState s;

  Fixture() : T(kNodes, 20.0), phi(kNodes, 0.5), w(kNodes, 0.0), s(T.data(), phi.data(), w.data()) {
    ctx.nodeCount = kNodes;
    ctx.heatTransport = ctx.moistureTransport = ctx.liquidTransport = -1;
    ctx.tolerance = 1e-5;
    ctx.dampingStartIteration = 3;
    ctx.restartIteration = 6;
    ctx.humidityRelaxationInitial = ctx.humidityRelaxation = 0.8;
    ctx.secondRelaxationInitial = ctx.secondRelaxation = 0.6;
    ctx.humidityRelaxationMinimum = ctx.secondRelaxationMinimum = 0.3;
    for (auto* a :
         {&ctx.stepStartTemperature, &ctx.stepStartHumidity, &ctx.liquidTransferCoefficient})
      a->assign(kNodes, 0.0);
    ctx.inverseDistance.assign(kNodes, 100.0);
  }
};

}  // namespace

// Acceptance and damping by the counter show in the iterations of every regression step.
TEST(ConvergenceControl, WeightOnlyFromAHumidityChangeAboveAPositiveTemperatureChange) {
  Fixture f;
  f.s.rainMismatchA = 0.25;
  f.s.rainMismatchB = 0.5;
  // Counter 1: the weight becomes dphi/dT = 4; the measure is accepted with both mismatches.
  tamo::controlConvergence(f.ctx, f.s, 0.001, 0.004);
  EXPECT_EQ(f.s.changeWeight, 0.004 / 0.001);
  EXPECT_EQ(f.s.convergenceMeasure, 0.004 + 0.25 + 0.5);
  EXPECT_FALSE(f.s.firstIterationFlag);
  // No weight without both balances, without a temperature change above 1e-25, or when
  // the humidity change does not exceed the temperature change.
  for (int variant = 0; variant < 3; ++variant) {
    Fixture g;
    if (variant == 0) g.ctx.heatTransport = 0;
    const double dT = variant == 1 ? 1e-25 : 0.01;
    const double dPhi = variant == 2 ? 0.01 : 0.02;
    tamo::controlConvergence(g.ctx, g.s, dT, dPhi);
    EXPECT_EQ(g.s.changeWeight, 0.02) << variant;
  }
}

TEST(ConvergenceControl, RestartsOnceFromTheStartStateWithRebalancedRain) {
  Fixture f;
  auto& s = f.s;
  auto& ctx = f.ctx;
  for (int i = 1; i <= kNodes; ++i) {
    ctx.stepStartTemperature[i] = 5.0;
    ctx.stepStartHumidity[i] = 0.6;
  }
  // Current iterate: rain override on node 1, side B's last interior node frozen although
  // its ambient node and its start value are above 0 degC.
  f.T = {10.0, 12.0, 8.0, -1.0, 3.0};
  f.phi = {1.0, 0.5, 0.55, 0.7, 1.0};
  ctx.humidityRelaxation = 0.5;
  ctx.secondRelaxation = 0.4;
  s.rainActiveA = s.rainActiveB = true;
  s.uptakeCapA = s.uptakeCapB = 1e-3;
  s.surfaceFactorA = s.surfaceFactorB = 6e4;
  s.rainAmountA = s.rainAmountB = 1.5;
  ctx.liquidTransferCoefficient[1] = 1e-4;
  ctx.liquidTransferCoefficient[kNodes - 1] = 2e-4;

  // Counter 5, accepted change 0.001 > 50 * tolerance: counter 6 = restartIteration.
  s.counter = 5;
  tamo::controlConvergence(ctx, s, 0.0, 0.001);
  EXPECT_TRUE(s.restarted && s.firstIterationFlag && s.justRestarted);
  EXPECT_EQ(s.counter, 0);
  EXPECT_EQ(ctx.humidityRelaxation, 0.8);
  EXPECT_EQ(ctx.secondRelaxation, 0.6);
  // Side A re-balanced from the iterate before the restore: uptake (1 - 0.5) * 1e-4 * 6e4 =
  // 3 kg/m2 against 1.5 kg/m2 of rain.
  EXPECT_EQ(ctx.liquidTransferCoefficient[1], std::pow(1.5 / 3.0, 1.5) * 1e-4);
  EXPECT_EQ(s.rainMismatchA, 100.0);
  // Side B tests its last interior node (-1 degC): no re-balance.
  EXPECT_EQ(ctx.liquidTransferCoefficient[kNodes - 1], 2e-4);
  EXPECT_EQ(s.rainMismatchB, 0.0);
  // Interior nodes restored, ambient nodes kept.
  EXPECT_EQ(f.T, (std::vector<double>{10.0, 5.0, 5.0, 5.0, 3.0}));
  EXPECT_EQ(f.phi, (std::vector<double>{1.0, 0.6, 0.6, 0.6, 1.0}));

  // Once per step: reaching the restart count again does nothing.
  s.counter = 5;
  s.acceptedMeasure = 1e9;
  tamo::controlConvergence(ctx, s, 0.0, 0.001);
  EXPECT_EQ(s.counter, 6);

  // A carried value of at most 50 * tolerance, or one that does not compare: no restart.
  for (double measure : {5e-4, std::numeric_limits<double>::quiet_NaN()}) {
    Fixture g;
    g.ctx.dampingStartIteration = 10;  // accepted whatever it is, and carried
    g.s.counter = 5;
    tamo::controlConvergence(g.ctx, g.s, 0.0, measure);
    EXPECT_FALSE(g.s.restarted) << measure;
    EXPECT_EQ(g.s.counter, 6) << measure;
  }

  // After a damping the restart test judges the accepted measure, not the growing one.
  for (double accepted : {4e-4, 6e-4}) {
    Fixture g;
    g.ctx.restartIteration = 1;
    g.s.counter = 4;
    g.s.acceptedMeasure = accepted;
    tamo::controlConvergence(g.ctx, g.s, 0.0, 0.01);
    EXPECT_EQ(g.s.restarted, accepted > 5e-4) << accepted;
  }
}

TEST(ConvergenceControl, StatusWord) {
  Fixture f;
  auto& s = f.s;
  f.T = {10.0, 10.0, 10.0, 10.0, 10.0};
  f.phi = {1.0, 0.9, 0.8, 0.9, 1.0};  // |phi_n - phi_(n-1)| = 0.1
  s.acceptedMeasure = 1e-5;
  EXPECT_EQ(tamo::stepStatusWord(f.ctx, s), 0);

  // A mismatch on side B only counts while side A is rain-active above 0 degC.
  s.rainMismatchB = 0.2;
  EXPECT_EQ(tamo::stepStatusWord(f.ctx, s), 0);
  s.rainActiveA = true;
  EXPECT_EQ(tamo::stepStatusWord(f.ctx, s), tamo::kStatusRainMismatch);
  f.T[0] = 0.0;
  EXPECT_EQ(tamo::stepStatusWord(f.ctx, s), 0);
  f.T[0] = 10.0;
  s.rainMismatchB = 0.1;  // the threshold itself does not count
  EXPECT_EQ(tamo::stepStatusWord(f.ctx, s), 0);
  s.rainMismatchA = 0.2;  // side A: |1 - 0.9| > 1e-4
  EXPECT_EQ(tamo::stepStatusWord(f.ctx, s), tamo::kStatusRainMismatch);
  f.phi[1] = 1.0 - 5e-5;
  EXPECT_EQ(tamo::stepStatusWord(f.ctx, s), 0);

  // {accepted measure, status}: not converged above 0.001, diverged above 1e20.
  const double N = tamo::kStatusNotConverged, D = tamo::kStatusDiverged;
  for (auto [measure, word] :
       {std::pair{0.001, 0.0}, std::pair{0.0011, N}, std::pair{1e20, N}, std::pair{2e20, N + D}}) {
    s.acceptedMeasure = measure;
    EXPECT_EQ(tamo::stepStatusWord(f.ctx, s), word) << measure;
  }
}
