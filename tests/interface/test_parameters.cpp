// Solver parameters: iteration limits, switches, latent heats and the once-only definition.
#include <gtest/gtest.h>

#include <vector>

#include "interface/context_table.h"
#include "model/context.h"
#include "support/scoped_context.h"
#include "tamo1dkernel.h"

namespace {

using tamo::test_support::ScopedContext;

// Plane grid with N interface positions (n = N+1 nodes), all elements material 1.
void defineGrid(const ScopedContext& c, int32_t N) {
  std::vector<double> X(static_cast<std::size_t>(N));
  for (int32_t i = 0; i < N; ++i) X[static_cast<std::size_t>(i)] = 0.01 * i;
  const std::vector<int32_t> mat(static_cast<std::size_t>(N), 1);
  ASSERT_EQ(tamoSetGrid(c.handle(), N, X.data(), 0.0, mat.data()), TAMO_OK);
}

void expectLimits(int32_t N, int32_t fine, int32_t stabilised, int32_t restart, int32_t damping) {
  ScopedContext c;
  defineGrid(c, N);
  EXPECT_EQ(tamoSetParameter(c.handle(), 1, 1, 1, fine, stabilised, 0, 1, 1, 0, 0, 0), TAMO_OK);
  EXPECT_EQ(std::vector<int32_t>({c.ctx().restartIteration, c.ctx().dampingStartIteration}),
            std::vector<int32_t>({restart, damping}))
      << "N=" << N << " fine=" << fine << " stab=" << stabilised;
}

TEST(Parameters, IterationLimitsFollowTheNodeCount) {
  // n = 21: 3n = 63, n/2 = 10; 4n = 84.
  expectLimits(20, 0, 0, 63, 10);
  expectLimits(20, 1, 1, 252, 30);
  // n = 101: every base capped.
  expectLimits(100, 0, 0, 150, 15);
  expectLimits(100, 0, 1, 200, 25);
  expectLimits(100, 1, 1, 600, 75);
  // n = 40: 120 < 150, n/2 = 20 above the plain cap 15, below the stabilised cap 25.
  expectLimits(39, 0, 0, 120, 15);
  expectLimits(39, 0, 1, 160, 20);
  // n = 50: 3n = 150 exactly at the cap; 4n = 200 exactly at the cap.
  expectLimits(49, 0, 0, 150, 15);
  expectLimits(49, 0, 1, 200, 25);
  // n = 2 (no interior node): n/2 = 1.
  expectLimits(1, 0, 0, 6, 1);
  // Flags count by their lowest bit: 2 is false, 3 and -1 true.
  expectLimits(20, 2, 2, 63, 10);
  expectLimits(20, 3, -1, 252, 30);
}

TEST(Parameters, TransportSwitches) {
  struct Case {
    int32_t heat, moisture, liquid;
    bool liquidOn;
  };
  // Liquid transport is the bitwise AND with the moisture switch.
  const Case cases[] = {{1, 1, 1, true},  {0, 0, 1, false}, {1, 1, 0, false},
                        {5, 3, 2, false}, {1, -1, 3, true}, {0, 2, 1, false}};
  for (const Case& k : cases) {
    ScopedContext c;
    defineGrid(c, 5);
    ASSERT_EQ(tamoSetParameter(c.handle(), k.heat, k.moisture, k.liquid, 0, 0, 0, 0, 0, 0, 0, 0),
              TAMO_OK);
    const tamo::Context& ctx = c.ctx();
    EXPECT_EQ(tamo::isTrue(ctx.liquidTransport), k.liquidOn) << k.heat << k.moisture << k.liquid;
  }
}

TEST(Parameters, LatentHeats) {
  struct Case {
    bool withSlope;
    int32_t evaporation, temperatureDependent, fusion;
    double evaporationHeat, slope, fusionHeat;
  };
  const Case cases[] = {
      {false, 1, 0, 1, 2.5e6, 0.0, 333000.0},
      {false, 0, 0, 0, 1.0, 0.0, 0.0},  // the heat of evaporation becomes 1, not 0
      {false, 0, 0, 1, 1.0, 0.0, 333000.0},
      {false, 2, 0, 2, 1.0, 0.0, 0.0},  // lowest bit clear
      {true, 1, 1, 0, 2.5e6, 2440.0, 0.0},
      {true, 0, 1, 0, 1.0, 0.0, 0.0},  // temperature dependence needs evaporation
      {true, 0, 1, 1, 1.0, 0.0, 333000.0},
      {true, -1, 3, -1, 2.5e6, 2440.0, 333000.0},
  };
  for (const Case& k : cases) {
    ScopedContext c;
    defineGrid(c, 5);
    const int32_t h = c.handle();
    const int32_t code =
        k.withSlope ? tamoSetParameter1(h, 1, 1, 1, 0, 0, 0, k.evaporation, k.temperatureDependent,
                                        k.fusion, 0, 0, 0)
                    : tamoSetParameter(h, 1, 1, 1, 0, 0, 0, k.evaporation, k.fusion, 0, 0, 0);
    ASSERT_EQ(code, TAMO_OK);
    const tamo::Context& ctx = c.ctx();
    EXPECT_EQ(
        std::vector<double>({ctx.latentHeatEvaporation, ctx.latentHeatSlope, ctx.latentHeatFusion}),
        std::vector<double>({k.evaporationHeat, k.slope, k.fusionHeat}))
        << k.withSlope << k.evaporation << k.temperatureDependent << k.fusion;
  }
}

TEST(Parameters, DefinedOnceAfterTheGrid) {
  ScopedContext c;
  const int32_t h = c.handle();
  // No grid: refused, and nothing is set.
  EXPECT_EQ(tamoSetParameter(h, 1, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0), TAMO_NO_GRID);
  EXPECT_FALSE(tamo::isTrue(c.ctx().parametersSet));
  EXPECT_EQ(c.ctx().tolerance, 0.0);
  EXPECT_EQ(c.ctx().latentHeatEvaporation, 0.0);

  defineGrid(c, 20);
  ASSERT_EQ(tamoSetParameter1(h, 1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0), TAMO_OK);
  EXPECT_EQ(c.ctx().tolerance, 1e-5);
  const auto fields = [&] {
    const tamo::Context& x = c.ctx();
    return std::vector<double>{1.0 * x.heatTransport,      1.0 * x.liquidTransport,
                               1.0 * x.restartIteration,   1.0 * x.dampingStartIteration,
                               x.latentHeatEvaporation,    x.latentHeatSlope,
                               x.latentHeatFusion,         x.tolerance,
                               x.humidityRelaxationInitial};
  };
  const std::vector<double> before = fields();
  // Either form a second time: -13, nothing changes (other flags would change everything).
  EXPECT_EQ(tamoSetParameter(h, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0), TAMO_ALREADY_SET);
  EXPECT_EQ(tamoSetParameter1(h, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0), TAMO_ALREADY_SET);
  EXPECT_EQ(fields(), before);
  // A refused grid keeps the parameters set.
  const double X[2] = {0.0, 1.0};
  const int32_t mat[2] = {0, 1};
  EXPECT_EQ(tamoSetGrid(h, 2, X, 0.0, mat), TAMO_ALREADY_SET);
  EXPECT_TRUE(tamo::isTrue(c.ctx().parametersSet));
  EXPECT_EQ(c.ctx().nodeCount, 21);
}

}  // namespace
