// Whole steps against physics: water balance and A sqrt(t) uptake. (The steady heat flux is
// the infinite step of the step-driver tests; the multi-layer U-value and the sd diffusion
// against the still-air permeability of Schirmer are checked through the host.)
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

const TestMaterial insulation{.rho = 30.0,
                              .por = 0.95,
                              .cap = 1500.0,
                              .lambda = 0.04,
                              .mu = 1.5,
                              .storagePhi = {0.5, 0.8, 1.0},
                              .storageW = {0.5, 1.0, 2.0}};

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
