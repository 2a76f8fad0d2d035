// Time step driver through the C API: degenerate grids, rain and ambient-node rules, refusals.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <vector>

#include "material/storage_function.h"
#include "wall_fixture.h"

namespace {

using walltest::Climate;
using walltest::Layer;
using walltest::Wall;

// One layer of material 1 with ten elements plus thin surface elements.
std::vector<Layer> oneLayer() {
  return {{0.1, 10, 1}};
}

void defineOneLayerWall(Wall& wall, bool heat, bool moisture, bool liquid, double rainFactor) {
  wall.setParameters(heat, moisture, liquid);
  walltest::defineMaterial(wall.handle(), 1, walltest::TestMaterial{.waterAbsorption = 0.05});
  wall.setSurfaces(rainFactor, rainFactor);
}

TEST(StepDriver, GridWithoutInteriorNodeConvergesInOneIteration) {
  const int32_t h = tamoCreateContext();
  const double X[] = {0.0};
  const int32_t mat[] = {0};
  ASSERT_EQ(tamoSetGrid(h, 1, X, 0.0, mat), TAMO_OK);
  ASSERT_EQ(tamoSetParameter(h, 1, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0), TAMO_OK);
  ASSERT_EQ(tamoSetSurfaceCondition(h, 1e5, 8, 0, 0.6, 0.9, 1, 0, 0, 25, 0, 0.6, 0.9, 1, 0, 0),
            TAMO_OK);
  double T[2] = {-5.0, -5.0}, phi[2] = {0.1, 0.1}, w[2] = {7.0, 7.0};
  int32_t count = -1, status = -1;
  double dphi = -1.0, dT = -1.0;
  // Rain on both sides, side A above 0 degC: the ambient humidity of A becomes 1.
  EXPECT_EQ(tamoStep2(h, 8, 0, 12.0, 0.6, 0, 0, 5.0, 25, 0, 3.0, 0.7, 0, 0, 0.0, 1e5, 600.0, 0, T,
                      phi, w, &count, &dphi, &dT, &status),
            TAMO_OK);
  EXPECT_TRUE(count == 1 && status == 0 && dT == 0.0 && dphi == 0.0);
  EXPECT_EQ(std::vector<double>({T[0], T[1], phi[0], phi[1], w[0], w[1]}),
            std::vector<double>({12.0, 3.0, 1.0, 0.7, 0.0, 0.0}));
  tamoDeleteContext(h);
}

TEST(StepDriver, RainAndAmbientNodeRules) {
  const double justBelow = std::nextafter(0.1, 1.0);
  struct Case {
    double rain, TA, expectedPhiA;
    bool active;
  };
  // absorbedRain = rain * 1.0; exactly 0.1 is not rain-active; active only above 0 degC.
  for (const Case& k :
       {Case{0.1, 10.0, 0.5, false}, Case{justBelow, 10.0, 1.0, true}, Case{3.0, 0.0, 0.5, false},
        Case{3.0, -2.0, 0.5, false}, Case{0.0, 10.0, 0.5, false}}) {
    SCOPED_TRACE(testing::Message() << "rain " << k.rain << " TA " << k.TA);
    Wall wall(oneLayer(), 0.002);
    defineOneLayerWall(wall, true, true, true, 1.0);
    wall.ctx().liquidTransferCoefficient[1] = 0.123;  // must be replaced with liquid on
    Climate c;
    c.TA = k.TA;
    c.rainA = k.rain;
    c.phiA = 0.5;
    c.rainB = 0.1;  // side B at exactly the threshold stays inactive too
    const auto r = wall.step(c, 600.0);
    EXPECT_EQ(r.code, TAMO_OK);
    EXPECT_EQ(
        std::vector<double>({wall.T.front(), wall.phi.front(), wall.T.back(), wall.phi.back()}),
        std::vector<double>({c.TA, k.expectedPhiA, c.TB, c.phiB}));
    // The start-of-step copy keeps the ambient humidity, before any rain override.
    EXPECT_EQ(wall.ctx().stepStartHumidity[1], 0.5);
    EXPECT_EQ(wall.ctx().stepStartHumidity[wall.n()], c.phiB);
    const double coefficientA = wall.ctx().liquidTransferCoefficient[1];
    if (k.active) {
      EXPECT_GT(coefficientA, 0.0);
      // Water entered through surface A.
      EXPECT_GT(wall.w[1], tamo::storageValue(wall.ctx().materials[1], 0.5));
    } else {
      EXPECT_EQ(coefficientA, 0.0);
    }
    EXPECT_EQ(wall.ctx().liquidTransferCoefficient[wall.n() - 1], 0.0);
    EXPECT_EQ(wall.w.front() + wall.w.back(), 0.0);
  }
}

TEST(StepDriver, RefusedStepsTouchNoArray) {
  std::vector<double> T(13, 1.5), phi(13, 0.25), w(13, 9.0);
  int32_t count = -4, status = -4;
  double dphi = -4.0, dT = -4.0;
  auto untouched = [&] {
    for (int i = 0; i < 13; ++i) {
      if (T[i] != 1.5 || phi[i] != 0.25 || w[i] != 9.0) return false;
    }
    return count == -4 && status == -4 && dphi == -4.0 && dT == -4.0;
  };

  auto step = [&](int32_t h, double dt, double* t, double* water, int32_t* st) {
    return tamoStep(h, dt, 0, t, phi.data(), water, &count, &dphi, &dT, st);
  };
  // No grid: -7 before the time step is looked at; then an interior element without material.
  const int32_t h = tamoCreateContext();
  EXPECT_EQ(step(h, 0.0, T.data(), w.data(), &status), TAMO_NO_GRID);
  const double X[] = {0.0, 0.01, 0.02, 0.03};
  const int32_t mat[] = {0, 1, 0, 1};
  ASSERT_EQ(tamoSetGrid(h, 4, X, 0.0, mat), TAMO_OK);
  EXPECT_EQ(step(h, 60.0, T.data(), w.data(), &status), TAMO_BAD_ARGUMENT);
  tamoDeleteContext(h);

  // A time step that is not positive, then each missing array.
  Wall wall(oneLayer(), 0.002);
  defineOneLayerWall(wall, true, true, true, 0.0);
  const int32_t g = wall.handle();
  for (double dt : {0.0, -0.0, -60.0, std::nan(""), -HUGE_VAL}) {
    EXPECT_EQ(step(g, dt, T.data(), w.data(), &status), TAMO_BAD_ARGUMENT) << dt;
  }
  EXPECT_EQ(wall.ctx().inverseTimeStep, 0.0);  // the context did not start a step
  EXPECT_EQ(step(g, 60.0, T.data(), nullptr, &status), TAMO_NULL_ARRAY);
  EXPECT_EQ(step(g, 60.0, T.data(), w.data(), nullptr), TAMO_NULL_ARRAY);
  EXPECT_EQ(step(g, 60.0, nullptr, w.data(), &status), TAMO_NULL_ARRAY);
  EXPECT_TRUE(untouched());
}

// An infinite time step is a positive one: its reciprocal 0 removes the storage terms, and
// the step gives the steady flux of the film and wall resistances through every interface.
TEST(StepDriver, InfiniteTimeStepGivesTheSteadyState) {
  Wall wall(oneLayer(), 0.002);
  wall.setParameters(true, false, false);
  walltest::defineMaterial(wall.handle(), 1, walltest::TestMaterial{});
  wall.setSurfaces();
  const auto r = wall.step(Climate{}, std::numeric_limits<double>::infinity());  // 20 | 0 degC
  ASSERT_EQ(r.code, TAMO_OK);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(wall.ctx().inverseTimeStep, 0.0);
  // The surface nodes sit at the centres of the 2 mm surface elements: 0.098 m of wall.
  const double q = 20.0 / (1.0 / 8.0 + 0.098 / 0.5 + 1.0 / 25.0);
  for (double heat : wall.fluxes().heat) EXPECT_NEAR(heat, q, 1e-9 * q);
}

}  // namespace
