// Interface fluxes and surface transfer coefficients: signs (positive from side A to side
// B), hand-computed values, the one-way rule for liquid water at the surfaces at its exact
// threshold, the latent heat carried by vapour, the surface radiation balance.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

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
  ASSERT_DOUBLE_EQ(ctx.inverseDistance[1], 1.0);
  ASSERT_DOUBLE_EQ(ctx.inverseDistance[4], 1.0);
  for (int k = 1; k <= 4; ++k) {
    ctx.heatConductance[k] = 1.5;
    ctx.liquidTransferCoefficient[k] = 2.0;
    ctx.vapourDiffusionFlux[k] = 1e-6 * k;
  }
}

TEST(Fluxes, SignsValuesAndLatentHeat) {
  ScopedContext c;
  prepare(c);
  // Heat of evaporation off: the vapour flux still counts with 1.0 J/kg.
  ASSERT_EQ(tamoSetParameter(c.handle(), 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0), TAMO_OK);
  const std::array<double, 5> T = {20.0, 18.0, 14.0, 10.0, 8.0};
  const std::array<double, 5> phi = {0.5, 0.6, 0.7, 0.75, 0.4};
  const Fluxes f = getFlux(c, T, phi);
  // Temperatures fall towards side B: every heat flux is positive.
  const double heat[4] = {1.5 * 2.0 * 1.0, 1.5 * 4.0 * 0.5, 1.5 * 4.0 * 0.5, 1.5 * 2.0 * 1.0};
  for (int k = 0; k < 4; ++k) {
    EXPECT_DOUBLE_EQ(f.heat[k], heat[k]) << k;
    EXPECT_GT(f.heat[k], 0.0);
    EXPECT_EQ(f.vapour[k], 1e-6 * (k + 1)) << k;
    EXPECT_DOUBLE_EQ(f.enthalpy[k], heat[k] + 1.0 * f.vapour[k]) << k;
  }
  // Humidity rises towards B in the interior: liquid flows towards A (negative).
  EXPECT_NEAR(f.liquid[1], -0.1 * 0.5 * 2.0, 1e-15);
  EXPECT_NEAR(f.liquid[2], -0.05 * 0.5 * 2.0, 1e-15);
  // Surface A: water would leave the component: not reported. Surface B: the node holds
  // more than the air: water would leave towards B: not reported either.
  EXPECT_EQ(f.liquid[0], 0.0);
  EXPECT_EQ(f.liquid[3], 0.0);
  // Inward flow at both surfaces is reported.
  const Fluxes g = getFlux(c, T, {0.9, 0.6, 0.7, 0.5, 0.8});
  EXPECT_DOUBLE_EQ(g.liquid[0], 0.3 * 1.0 * 2.0);
  EXPECT_DOUBLE_EQ(g.liquid[3], -0.3 * 1.0 * 2.0);

  // A temperature-dependent heat of evaporation uses the node on the side A of the
  // interface.
  ScopedContext c2;
  prepare(c2);
  ASSERT_EQ(tamoSetParameter1(c2.handle(), 1, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0, 0), TAMO_OK);
  const Fluxes h = getFlux(c2, T, phi);
  for (int k = 0; k < 4; ++k) {
    EXPECT_NEAR(h.enthalpy[k] - h.heat[k], (2.5e6 - 2440.0 * T[k]) * 1e-6 * (k + 1), 1e-9) << k;
  }
}

TEST(Fluxes, SurfaceLiquidThresholdIsExact) {
  ScopedContext c;
  prepare(c);
  const std::array<double, 5> T = {10.0, 10.0, 10.0, 10.0, 10.0};
  const double below = std::nextafter(1e-25, 0.0);
  const double above = std::nextafter(1e-25, 1.0);
  // Gradient times inverse distance of exactly 1e-25 at A (inward) keeps the flux.
  Fluxes f = getFlux(c, T, {1e-25, 0.0, 0.0, 0.0, 0.0});
  EXPECT_EQ(f.liquid[0], 1e-25 * 2.0);
  f = getFlux(c, T, {below, 0.0, 0.0, 0.0, 0.0});
  EXPECT_EQ(f.liquid[0], 0.0);
  // The same value at B (outward) keeps it too; just above, it is cut.
  f = getFlux(c, T, {0.0, 0.0, 0.0, 1e-25, 0.0});
  EXPECT_EQ(f.liquid[3], 1e-25 * 2.0);
  f = getFlux(c, T, {0.0, 0.0, 0.0, above, 0.0});
  EXPECT_EQ(f.liquid[3], 0.0);
}

TEST(Fluxes, SurfaceRadiationBalance) {
  ScopedContext c;
  prepare(c);
  tamo::Context& ctx = c.ctx();
  ctx.latentHeatEvaporation = 0.0;
  ctx.sideA.absorbedRadiation = 300.0;
  ctx.sideA.explicitLongWave = -1;
  ctx.sideA.emissivity = 0.9;
  ctx.sideB.absorbedRadiation = 50.0;
  ctx.sideB.explicitLongWave = -1;
  ctx.sideB.emissivity = 0.5;
  const std::array<double, 5> T = {0.0, 26.85, 20.0, -3.15, 0.0};
  const std::array<double, 5> phi = {0.5, 0.5, 0.5, 0.5, 0.5};
  Fluxes f = getFlux(c, T, phi);
  // Emission at the temperature of the surface node: 300 K and 270 K.
  const double emitA = 0.9 * 5.67e-8 * 300.0 * 300.0 * 300.0 * 300.0;
  const double emitB = 0.5 * 5.67e-8 * 270.0 * 270.0 * 270.0 * 270.0;
  EXPECT_NEAR(f.enthalpy[0], f.heat[0] + 300.0 - emitA, 1e-9);
  // The gain of side B enters with the same sign as that of side A.
  EXPECT_NEAR(f.enthalpy[3], f.heat[3] + 50.0 - emitB, 1e-9);
  EXPECT_EQ(f.enthalpy[1], f.heat[1]);
  // Without explicit long-wave only the absorbed radiation is added.
  ctx.sideA.explicitLongWave = 0;
  ctx.sideB.explicitLongWave = 0;
  f = getFlux(c, T, phi);
  EXPECT_EQ(f.enthalpy[0], f.heat[0] + 300.0);
  EXPECT_EQ(f.enthalpy[3], f.heat[3] + 50.0);
}

TEST(Fluxes, SurfaceCoefficientsAndResultCodes) {
  ScopedContext c;
  double hA = -1, vA = -1, hB = -1, vB = -1;
  EXPECT_EQ(tamoGetSurfaceCoeff(c.handle(), &hA, &vA, &hB, &vB), TAMO_BAD_ARGUMENT);
  EXPECT_EQ(tamoGetSurfaceCoeff(c.handle(), nullptr, &vA, &hB, &vB), TAMO_NULL_ARRAY);
  EXPECT_EQ(tamoGetSurfaceCoeff(c.handle() + 1000, &hA, &vA, &hB, &vB), TAMO_INVALID_HANDLE);
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

  const double side[6] = {8.0, 0.0, 0.5, 0.9, 0.7, 0.0};
  ASSERT_EQ(
      tamoSetSurfaceCondition(c.handle(), 101325.0, side[0], side[1], side[2], side[3], side[4],
                              side[5], 0, side[0], side[1], side[2], side[3], side[4], side[5], 0),
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
