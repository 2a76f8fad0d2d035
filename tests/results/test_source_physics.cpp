// Sources in whole simulations: a heated slab against its analytic steady state and energy
// balance, and the water balance of a run with a moisture source.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "solver/wall_fixture.h"

namespace {

using walltest::Climate;
using walltest::Wall;

// N - 1 equal elements over [0, L] of one material with constant conductivity, liquid
// transport from A = 0.01 kg/(m2 s^0.5) and storage (0.5, 20), (1, 100) kg/m3.
struct Slab : Wall {
  Slab(int32_t N, double L) : Wall({{L, N - 1, 1}}, 0.0) {}
  void define(double lambda, bool heat, double h) {
    setParameters(heat, !heat, !heat, false, true);
    walltest::defineMaterial(handle(), 1,
                             {.lambda = lambda,
                              .storagePhi = {0.5, 1.0},
                              .storageW = {20.0, 100.0},
                              .waterAbsorption = 0.01});
    setSurfaces();
    climate.hA = climate.hB = h;
  }
  Climate climate;
};

TEST(SourcePhysics, HeatedSlabReachesTheAnalyticSteadyState) {
  const int32_t N = 41;  // 40 elements of 2.5 mm
  const double L = 0.1, dx = L / (N - 1), lambda = 0.5, h = 10.0, Q = 100.0, Ta = 5.0;
  Slab s(N, L);
  s.define(lambda, true, h);
  const double q[1] = {Q};
  ASSERT_EQ(tamoSetSource(s.handle(), 1, 0, 0, 0, -1.0, 10.0, q), TAMO_OK);
  ASSERT_EQ(tamoUpdateSource(s.handle(), 1, q), TAMO_OK);
  s.T.assign(s.n(), Ta);
  s.climate.TA = s.climate.TB = Ta;
  walltest::StepResult r;
  for (int k = 0; k < 12; ++k) ASSERT_EQ((r = s.step(s.climate, 1e7)).code, TAMO_OK);
  EXPECT_EQ(r.status, 0);

  // The nodes sit at the element centres; the surface nodes see the air through h. The
  // discretised slab spans L - dx with the source Q spread evenly over it.
  const double Lc = L - dx;
  for (int32_t i = 2; i <= N; ++i) {
    const double x = (i - 2) * dx;
    const double expected = Ta + Q / (2.0 * h) + Q / Lc / (2.0 * lambda) * x * (Lc - x);
    EXPECT_NEAR(s.T[i - 1], expected, 1e-6) << i;
  }

  // Energy balance: the source power leaves through both surfaces.
  const Wall::Fluxes f = s.fluxes();
  double sourceHeat = 0.0, sourceMoisture = -1.0;
  ASSERT_EQ(tamoGetSourceQuantity(s.handle(), 1, s.n(), s.T.data(), s.phi.data(), &sourceHeat,
                                  &sourceMoisture),
            TAMO_OK);
  EXPECT_NEAR(sourceHeat, Q, 1e-9);
  EXPECT_EQ(sourceMoisture, 0.0);
  EXPECT_LT(f.heat[0], 0.0);  // towards side A
  EXPECT_NEAR(f.heat[N - 1] - f.heat[0], sourceHeat, 1e-8);
  EXPECT_NEAR(f.heat[N - 1], Q / 2.0, 1e-8);
}

TEST(SourcePhysics, WaterBalanceWithAMoistureSource) {
  const int32_t N = 21;
  const double dt = 3600.0, value = 2e-6;
  Slab s(N, 0.05);
  s.define(0.5, false, 8.0);
  // 2e-6 kg/(m2 s) over the middle 2 cm.
  const double v[1] = {value};
  ASSERT_EQ(tamoSetSource(s.handle(), 1, 1, 0, 0, 0.015, 0.02, v), TAMO_OK);
  ASSERT_EQ(tamoUpdateSource(s.handle(), 1, v), TAMO_OK);
  s.climate.TA = s.climate.TB = 20.0;
  s.climate.phiA = s.climate.phiB = 0.5;
  auto totalWater = [&]() {
    std::vector<double> w(s.n()), psat(s.n()), dew(s.n());
    double layer = 0.0, interior = 0.0, total = 0.0;
    EXPECT_EQ(tamoGetIntermediate(s.handle(), 0, s.T.data(), s.phi.data(), w.data(), psat.data(),
                                  dew.data(), 1, &layer, &interior, &total),
              TAMO_OK);
    return total;
  };
  const double W0 = totalWater();

  double surfaceIn = 0.0, delivered = 0.0;
  for (int k = 0; k < 48; ++k) {
    const auto r = s.step(s.climate, dt);
    ASSERT_EQ(r.code, TAMO_OK);
    ASSERT_EQ(r.status, 0) << k;
    const Wall::Fluxes f = s.fluxes();
    // In at A minus out at B.
    surfaceIn += dt * (f.vapour[0] + f.liquid[0] - f.vapour[N - 1] - f.liquid[N - 1]);
    double sourceHeat = -1.0, sourceMoisture = 0.0;
    ASSERT_EQ(tamoGetSourceQuantity(s.handle(), 1, s.n(), s.T.data(), s.phi.data(), &sourceHeat,
                                    &sourceMoisture),
              TAMO_OK);
    EXPECT_EQ(sourceHeat, 0.0);
    EXPECT_NEAR(sourceMoisture, value, 1e-15);  // far below the fill limit
    delivered += dt * sourceMoisture;
  }
  const double gained = totalWater() - W0;
  EXPECT_GT(gained, 0.0);
  EXPECT_LT(surfaceIn, 0.0);  // the wetted slab dries out through both surfaces
  // Water is conserved up to the vapour held in the pore air and the iteration tolerance.
  EXPECT_NEAR(gained, surfaceIn + delivered, 1e-3 * delivered);
}

}  // namespace
