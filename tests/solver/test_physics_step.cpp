// Whole steps against physics: steady heat flux, sd diffusion, water balance, A sqrt(t) uptake.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "wall_fixture.h"

namespace {

using walltest::Climate;
using walltest::Layer;
using walltest::TestMaterial;
using walltest::Wall;

using Fluxes = Wall::Fluxes;

// The fixture's default material stands for masonry: rho 1500, lambda 0.5, mu 10.
const TestMaterial masonry;

const TestMaterial insulation{.rho = 30.0,
                              .por = 0.95,
                              .cap = 1500.0,
                              .lambda = 0.04,
                              .mu = 1.5,
                              .storagePhi = {0.5, 0.8, 1.0},
                              .storageW = {0.5, 1.0, 2.0}};

TEST(PhysicsStep, DryTwoLayerWallReachesTheSteadyHeatFlux) {
  Wall wall({{0.1, 10, 1}, {0.05, 10, 2}}, 1e-4);
  wall.setParameters(true, false, false);
  walltest::defineMaterial(wall.handle(), 1, masonry);
  walltest::defineMaterial(wall.handle(), 2, insulation);
  wall.setSurfaces();
  Climate c;  // 20 degC at 8 W/(m2 K) on side A, 0 degC at 25 W/(m2 K) on side B
  for (int step = 0; step < 60; ++step) ASSERT_EQ(wall.step(c, 86400.0).code, TAMO_OK);

  const double resistance = 1.0 / 8.0 + 0.1 / 0.5 + 0.05 / 0.04 + 1.0 / 25.0;
  const double q = (c.TA - c.TB) / resistance;
  const int n = wall.n();
  EXPECT_NEAR(8.0 * (wall.T[0] - wall.T[1]), q, 0.005 * q);
  EXPECT_NEAR(25.0 * (wall.T[n - 2] - wall.T[n - 1]), q, 0.005 * q);
  // The same flux through every interface.
  const Fluxes f = wall.fluxes();
  for (double heat : f.heat) EXPECT_NEAR(heat, q, 0.005 * q);

  // In the steady state a further step converges in its first iteration.
  const auto r = wall.step(c, 86400.0);
  EXPECT_EQ(r.iterations, 1);
  EXPECT_EQ(r.status, 0);
}

TEST(PhysicsStep, IsothermalVapourDiffusionReachesTheSteadyFlux) {
  Wall wall({{0.1, 20, 1}}, 1e-4);
  wall.setParameters(false, true, false);
  walltest::defineMaterial(wall.handle(), 1, masonry);  // mu 10
  wall.setSurfaces();
  wall.T.assign(wall.n(), 20.0);
  Climate c;
  c.TA = c.TB = 20.0;
  c.phiA = 0.8;
  c.phiB = 0.3;
  c.sdA = -0.05;  // directly given surface sd values [m]
  c.sdB = -0.2;
  for (int step = 0; step < 40; ++step) ASSERT_EQ(wall.step(c, 1e6).code, TAMO_OK);

  const double sdTotal = 0.05 + 10.0 * 0.1 + 0.2;
  const double psat = 610.78 * std::exp(17.08 * 20.0 / (234.18 + 20.0));          // [Pa] at 20 degC
  const double deltaAir = 1.968e-7 * std::pow(20.0 + 273.15, 0.81) / c.pressure;  // still air
  const double g = deltaAir * psat * (c.phiA - c.phiB) / sdTotal;
  const Fluxes f = wall.fluxes();
  for (double vapour : f.vapour) EXPECT_NEAR(vapour, g, 0.01 * g);
}

TEST(PhysicsStep, WaterChangeEqualsTheIntegralOfTheSurfaceFluxes) {
  const TestMaterial brick{.waterAbsorption = 0.05};  // masonry taking up water
  // Under rain the surface liquid flux is (1 - phi_2) times a large conductance: fine
  // convergence and 5 mm surface elements keep the humidity tolerance's share small.
  Wall wall({{0.12, 12, 1}, {0.06, 6, 2}}, 0.005);
  wall.setParameters(true, true, true, false, true);
  walltest::defineMaterial(wall.handle(), 1, brick);
  walltest::defineMaterial(wall.handle(), 2, insulation);
  wall.setSurfaces(0.7, 0.0);
  wall.phi.assign(wall.n(), 0.9);
  const int n = wall.n();
  const double dt = 1800.0;

  double change = 0.0, inflow = 0.0, gross = 0.0;
  for (int step = 0; step < 200; ++step) {
    Climate c;
    c.TA = 5.0 + 5.0 * std::sin(step * 0.1);
    c.phiA = 0.8;
    c.rainA = (step / 20) % 3 == 0 ? 2.0 : 0.0;  // rain showers on side A
    c.TB = 20.0;
    c.phiB = 0.5;
    const auto r = wall.step(c, dt);
    ASSERT_EQ(r.code, TAMO_OK);
    ASSERT_EQ(r.status & TAMO_STATUS_NOT_CONVERGED, 0) << "step " << step;
    double stepChange = 0.0;
    for (int i = 2; i <= n - 1; ++i) {
      stepChange +=
          (wall.w[i - 1] - wall.ctx().stepStartWaterContent[i]) * wall.ctx().nodeVolume[i];
    }
    const Fluxes f = wall.fluxes();
    const double stepInflow =
        dt * (f.vapour.front() + f.liquid.front() - f.vapour.back() - f.liquid.back());
    change += stepChange;
    inflow += stepInflow;
    gross += std::fabs(stepInflow);
  }
  // Rain went in and vapour came out: a real exchange, balanced to the tolerance.
  EXPECT_GT(gross, 0.5);
  EXPECT_NEAR(change, inflow, 3e-3 * gross) << "change " << change << " inflow " << inflow;
}

TEST(PhysicsStep, CapillaryUptakeUnderRainGrowsWithTheSquareRootOfTime) {
  const TestMaterial brick{.storagePhi = {0.5, 0.8, 0.95, 1.0},
                           .storageW = {3.0, 6.0, 15.0, 200.0},
                           .waterAbsorption = 0.1};  // A [kg/(m2 s^0.5)]
  Wall wall({{0.1, 50, 1}}, 5e-4);
  wall.setParameters(true, true, true);
  walltest::defineMaterial(wall.handle(), 1, brick);
  wall.setSurfaces(1.0, 0.0);
  wall.phi.assign(wall.n(), 0.5);
  Climate c;
  c.TA = c.TB = 20.0;
  c.phiA = c.phiB = 0.5;
  c.rainA = 60.0;  // far more than the surface takes up
  const double initial = [&] {
    double w0 = 0.0;
    EXPECT_EQ(tamoSoriso(wall.handle(), 1, 0.5, &w0, nullptr), TAMO_OK);
    double total = 0.0;
    for (int i = 2; i <= wall.n() - 1; ++i) total += w0 * wall.ctx().nodeVolume[i];
    return total;
  }();
  const double dt = 120.0;
  std::vector<double> uptake;  // after 30 min and 2 h
  for (int step = 1; step <= 60; ++step) {
    ASSERT_EQ(wall.step(c, dt).code, TAMO_OK);
    if (step == 15 || step == 60) uptake.push_back(wall.totalWater() - initial);
  }
  ASSERT_EQ(uptake.size(), 2u);
  // Four times the time, twice the uptake; the front stays far from side B.
  EXPECT_NEAR(uptake[1] / uptake[0], 2.0, 0.1);
  // The liquid transport built from A reproduces the uptake A sqrt(t) it stands for.
  EXPECT_NEAR(uptake[0], 0.1 * std::sqrt(1800.0), 0.15 * 0.1 * std::sqrt(1800.0));
  EXPECT_NEAR(uptake[1], 0.1 * std::sqrt(7200.0), 0.15 * 0.1 * std::sqrt(7200.0));
}

}  // namespace
