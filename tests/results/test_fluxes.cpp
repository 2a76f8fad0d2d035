// Interface fluxes and surface transfer coefficients: the exact one-way threshold of surface
// liquid water, result codes and the still-air permeability of the surface layers.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <tuple>

#include "interface/context_table.h"
#include "model/context.h"
#include "model/surface_condition.h"
#include "support/scoped_context.h"
#include "tamo1dkernel.h"

namespace {

using tamo::test_support::ScopedContext;

// N = 4 interfaces at 0, 2, 4, 6 m: the surface interfaces have inverse distance 1, the
// interior ones 0.5 (node centres 2 m apart).
constexpr std::array<double, 4> kX = {0.0, 2.0, 4.0, 6.0};
constexpr std::array<int32_t, 4> kMat = {0, 1, 1, 1};

struct Fluxes {
  std::array<double, 4> heat{}, enthalpy{}, vapour{}, liquid{};
};

Fluxes getFlux(const ScopedContext& c, const std::array<double, 5>& T,
               const std::array<double, 5>& phi) {
  Fluxes f;
  EXPECT_EQ(tamoGetFlux(c.handle(), 0, T.data(), phi.data(), f.heat.data(), f.enthalpy.data(),
                        f.vapour.data(), f.liquid.data()),
            TAMO_OK);
  return f;
}

void prepare(const ScopedContext& c) {
  ASSERT_EQ(tamoSetGrid(c.handle(), 4, kX.data(), 0.0, kMat.data()), TAMO_OK);
  tamo::Context& ctx = c.ctx();
  for (int k = 1; k <= 4; ++k) {
    ctx.heatConductance[k] = 1.5;
    ctx.liquidTransferCoefficient[k] = 2.0;
    ctx.vapourDiffusionFlux[k] = 1e-6 * k;
  }
}

TEST(Fluxes, SurfaceLiquidThresholdIsExact) {
  ScopedContext c;
  prepare(c);
  const std::array<double, 5> T = {10.0, 10.0, 10.0, 10.0, 10.0};
  const double below = std::nextafter(1e-25, 0.0);
  const double above = std::nextafter(1e-25, 1.0);
  // Gradient times inverse distance of exactly 1e-25 keeps the flux, inward at A (just below
  // it is cut) and outward at B (just above it is cut).
  for (auto [node, humidity, interface, flux] : {std::tuple{0, 1e-25, 0, 2e-25},
                                                 {0, below, 0, 0.0},
                                                 {3, 1e-25, 3, 2e-25},
                                                 {3, above, 3, 0.0}}) {
    std::array<double, 5> phi{};
    phi[node] = humidity;
    EXPECT_EQ(getFlux(c, T, phi).liquid[interface], flux) << node << " " << humidity;
  }
}

TEST(Fluxes, SurfaceCoefficientsAndResultCodes) {
  ScopedContext c;
  double hA = -1, vA = -1, hB = -1, vB = -1;
  EXPECT_EQ(tamoGetSurfaceCoeff(c.handle(), &hA, &vA, &hB, &vB), TAMO_BAD_ARGUMENT);
  EXPECT_EQ(tamoGetSurfaceCoeff(c.handle(), nullptr, &vA, &hB, &vB), TAMO_NULL_ARRAY);
  EXPECT_EQ(hA, -1.0);
  std::array<double, 5> T{}, phi{};
  std::array<double, 4> out{};
  EXPECT_EQ(tamoGetFlux(c.handle(), 0, T.data(), phi.data(), out.data(), out.data(), out.data(),
                        out.data()),
            TAMO_NO_GRID);
  prepare(c);
  EXPECT_EQ(
      tamoGetFlux(c.handle(), 0, T.data(), nullptr, out.data(), out.data(), out.data(), out.data()),
      TAMO_NULL_ARRAY);

  ASSERT_EQ(tamoSetSurfaceCondition(c.handle(), 101325.0, 8.0, 0.0, 0.5, 0.9, 0.7, 0.0, 0, 8.0, 0.0,
                                    0.5, 0.9, 0.7, 0.0, 0),
            TAMO_OK);
  tamo::Context& ctx = c.ctx();
  ctx.airPressure = 95000.0;
  ctx.sideA.heatTransferCoefficient = 17.0;
  ctx.sideA.sdValue = 0.02;
  ctx.sideA.ambientTemperature = 10.0;
  ctx.sideB.heatTransferCoefficient = 8.0;
  ctx.sideB.sdValue = 0.5;
  ctx.sideB.ambientTemperature = 30.0;
  ASSERT_EQ(tamoGetSurfaceCoeff(c.handle(), &hA, &vA, &hB, &vB), TAMO_OK);
  EXPECT_EQ(hA, 17.0);
  EXPECT_EQ(hB, 8.0);
  // At 10 degC the still-air permeability is the constant the surface layer is built with.
  EXPECT_NEAR(vA, tamo::kStillAirPermeabilityTimesPressure / 95000.0 / 0.02, 1e-22);
  // It grows with (T_abs)^0.81.
  EXPECT_NEAR(vB / (vA * 0.02 / 0.5), std::pow(303.15 / 283.15, 0.81), 1e-13);
}

}  // namespace
