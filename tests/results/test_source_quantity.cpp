// Source quantities: a plain source reports its power per component area, a moisture
// source the strength capped by what the air-filled pores take in one step; the stored
// system is used as scratch over the source's nodes only.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "interface/context_table.h"
#include "material/saturation.h"
#include "model/context.h"
#include "support/scoped_context.h"
#include "tamo1dkernel.h"

namespace {

using tamo::test_support::ScopedContext;

// Interior nodes 2..5 with volumes 0.005, 0.02, 0.03, 0.02 m.
constexpr std::array<double, 5> kX = {0.0, 0.01, 0.03, 0.06, 0.10};
constexpr std::array<int32_t, 5> kMat = {0, 1, 1, 1, 1};

struct Quantity {
  double heat = -1.0;
  double moisture = -1.0;
};

Quantity query(const ScopedContext& c, int32_t number, const std::array<double, 6>& T,
               const std::array<double, 6>& phi) {
  Quantity q;
  EXPECT_EQ(
      tamoGetSourceQuantity(c.handle(), number, 6, T.data(), phi.data(), &q.heat, &q.moisture),
      TAMO_OK);
  return q;
}

void prepare(const ScopedContext& c) {
  ASSERT_EQ(tamoSetGrid(c.handle(), 5, kX.data(), 0.0, kMat.data()), TAMO_OK);
  tamo::Context& ctx = c.ctx();
  ctx.inverseTimeStep = 1.0 / 3600.0;
  for (int i = 1; i <= 6; ++i) {
    ctx.airVoidFraction[i] = 0.1;
    ctx.saturationPressure[i] = 2000.0;
    ctx.systemDiagonal[i] = 100.0 + i;
    ctx.systemRightHandSide[i] = 200.0 + i;
  }
}

TEST(SourceQuantity, PlainHeatSourceDeliversItsPowerPerArea) {
  ScopedContext c;
  prepare(c);
  tamo::Context& ctx = c.ctx();
  const double value[1] = {45.0};
  ASSERT_EQ(tamoSetSource(c.handle(), 1, 0, 0, 0, -1.0, 5.0, value), TAMO_OK);  // all nodes
  ASSERT_EQ(tamoUpdateSource(c.handle(), 1, value), TAMO_OK);
  std::array<double, 6> T = {0.0, 20.0, 25.0, 30.0, 35.0, 0.0};
  const std::array<double, 6> phi = {0.5, 0.5, 0.5, 0.5, 0.5, 0.5};
  Quantity q = query(c, 1, T, phi);
  EXPECT_NEAR(q.heat, 45.0, 1e-12);
  EXPECT_EQ(q.moisture, 0.0);
  // The same field twice gives the same values.
  const Quantity again = query(c, 1, T, phi);
  EXPECT_EQ(again.heat, q.heat);

  // The system entries of the range now hold the source's own terms; the ambient rows
  // keep theirs.
  for (int i = 2; i <= 5; ++i) {
    EXPECT_GT(ctx.systemDiagonal[i], 0.0) << i;
    EXPECT_NEAR(ctx.systemRightHandSide[i] - ctx.systemDiagonal[i] * T[i - 1],
                ctx.sources[1].rate * ctx.nodeVolume[i], 1e-12)
        << i;
  }
  EXPECT_EQ(ctx.systemDiagonal[1], 101.0);
  EXPECT_EQ(ctx.systemRightHandSide[6], 206.0);

  // A node at 1200 degC takes nothing more: node 4 (0.03 m of 0.075 m) drops out.
  T[3] = 1200.0;
  q = query(c, 1, T, phi);
  EXPECT_NEAR(q.heat, 45.0 * (1.0 - 0.03 / 0.075), 1e-12);
  EXPECT_EQ(ctx.systemDiagonal[4], 0.0);
  EXPECT_EQ(ctx.systemRightHandSide[4], 0.0);
}

TEST(SourceQuantity, MoistureIsCappedByTheAirFilledPores) {
  ScopedContext c;
  prepare(c);
  tamo::Context& ctx = c.ctx();
  // Nodes 3, 4 (0.05 m); 1e-5 kg/(m2 s) is below the fill limit of
  // 0.1 * 1000 kg/m3 per hour = 0.0278 kg/(m3 s).
  const double value[1] = {1e-5};
  ASSERT_EQ(tamoSetSource(c.handle(), 2, 1, 0, 0, 0.02, 0.05, value), TAMO_OK);
  ASSERT_EQ(tamoUpdateSource(c.handle(), 2, value), TAMO_OK);
  const std::array<double, 6> T = {10.0, 10.0, 10.0, 10.0, 10.0, 10.0};
  const std::array<double, 6> phi = {0.5, 0.4, 0.6, 0.7, 0.8, 0.5};
  Quantity q = query(c, 2, T, phi);
  EXPECT_EQ(q.heat, 0.0);
  EXPECT_NEAR(q.moisture, 1e-5, 1e-18);
  // Node 3 keeps its entries of the heat balance alone: a moisture source touches only
  // the rows of its range.
  EXPECT_EQ(ctx.systemDiagonal[2], 102.0);
  EXPECT_EQ(ctx.systemDiagonal[5], 105.0);

  // 10 kg/(m2 s) is far above: each node gets eps_air * 1000 / dt per volume.
  const double big[1] = {10.0};
  ASSERT_EQ(tamoUpdateSource(c.handle(), 2, big), TAMO_OK);
  q = query(c, 2, T, phi);
  EXPECT_NEAR(q.moisture, 0.1 * 1000.0 / 3600.0 * 0.05, 1e-15);

  // Undefined number 1 (inactive) and a source beyond the last node report nothing.
  ASSERT_EQ(tamoSetSource(c.handle(), 3, 2, 0, 1, 0.5, 0.1, value), TAMO_OK);
  for (int32_t number : {1, 3}) {
    q = query(c, number, T, phi);
    EXPECT_EQ(q.heat, 0.0) << number;
    EXPECT_EQ(q.moisture, 0.0) << number;
  }

  // Result codes.
  double h = 0.0, m = 0.0;
  EXPECT_EQ(tamoGetSourceQuantity(c.handle(), 0, 6, T.data(), phi.data(), &h, &m),
            TAMO_BAD_SOURCE_NUMBER);
  EXPECT_EQ(tamoGetSourceQuantity(c.handle(), 4, 6, T.data(), phi.data(), &h, &m),
            TAMO_BAD_SOURCE_NUMBER);
  EXPECT_EQ(tamoGetSourceQuantity(c.handle(), 2, 6, T.data(), phi.data(), nullptr, &m),
            TAMO_NULL_ARRAY);
  EXPECT_EQ(tamoGetSourceQuantity(c.handle() + 1000, 2, 6, T.data(), phi.data(), &h, &m),
            TAMO_INVALID_HANDLE);
}

TEST(SourceQuantity, AirExchangeReportsHeatAndVapour) {
  ScopedContext c;
  prepare(c);
  tamo::Context& ctx = c.ctx();
  // 3.6 air changes per hour with the air of side B over node 3 (0.02 m).
  const double ach[1] = {3.6};
  ASSERT_EQ(tamoSetSource(c.handle(), 1, 2, 0, 2, 0.02, 0.005, ach), TAMO_OK);
  ctx.sideB.ambientTemperature = 0.0;
  ctx.sideB.ambientHumidity = 0.8;
  ctx.airPressure = 100000.0;
  const std::array<double, 6> T = {20.0, 20.0, 20.0, 20.0, 20.0, 0.0};
  const std::array<double, 6> phi = {0.5, 0.5, 0.5, 0.5, 0.5, 0.8};
  const Quantity q = query(c, 1, T, phi);
  // Sensible heat: air mass flow (V n rho_air) times c_air times (T_a - T).
  const double Rair = 8314.0 / 29.0;
  const double massFlow = 0.02 * 0.001 * 100000.0 / (Rair * 273.15);
  EXPECT_NEAR(q.heat, massFlow * 3.5 * Rair * (0.0 - 20.0), 1e-9);
  // Vapour: air volume flow times the difference of the vapour densities, the node's from
  // the stored saturation pressure.
  const double rhoAmbient = 0.8 * tamo::saturationVapourPressure(0.0) / (462.0 * 273.15);
  const double rhoNode = 0.5 * 2000.0 / (462.0 * 293.15);
  EXPECT_NEAR(q.moisture, 0.02 * 0.001 * (rhoAmbient - rhoNode), 1e-16);
  EXPECT_LT(q.moisture, 0.0);  // the warm humid node dries towards the cold air
}

TEST(SourceQuantity, InfiltrationFollowsTheHostTemperatures) {
  ScopedContext c;
  prepare(c);
  tamo::Context& ctx = c.ctx();
  const double values[3] = {2700.0, 0.0, 5.0};  // leakage factor 0.001, 5 Pa
  ASSERT_EQ(tamoSetSource(c.handle(), 1, 1, 1, 2, 0.02, 0.05, values), TAMO_OK);  // nodes 3, 4
  ctx.sideA.ambientTemperature = 20.0;
  ctx.sideB.ambientTemperature = 20.0;
  ctx.sideB.ambientHumidity = 0.6;
  ASSERT_EQ(tamoUpdateSource(c.handle(), 1, nullptr), TAMO_OK);
  tamo::Source& s = ctx.sources[1];
  ASSERT_NEAR(s.pressureDifference, 5.0, 1e-12);

  // Cold node after the range (node 5 at -5 degC): water condenses in the range.
  std::array<double, 6> T = {20.0, 20.0, 18.0, 10.0, -5.0, 20.0};
  const std::array<double, 6> phi = {0.5, 0.5, 0.5, 0.5, 0.5, 0.6};
  Quantity q = query(c, 1, T, phi);
  const double rate = (s.interiorVapourDensity - tamo::saturationVapourDensity(-5.0)) * 5.0 *
                      0.001 * s.spreadFactor;
  EXPECT_DOUBLE_EQ(s.rate, rate);
  EXPECT_NEAR(q.moisture, rate * 0.05, 1e-15);
  EXPECT_EQ(q.heat, 0.0);

  // Warm: nothing, and the stored rate becomes 0.
  T = {20.0, 20.0, 18.0, 19.0, 17.0, 20.0};
  q = query(c, 1, T, phi);
  EXPECT_EQ(q.moisture, 0.0);
  EXPECT_EQ(s.rate, 0.0);
}

}  // namespace
