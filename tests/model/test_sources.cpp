// Sources: position ranges mapped onto nodes, and balance terms delivering exactly the source
// strength at the iterate with a diagonal that never decreases.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "interface/context_table.h"
#include "material/saturation.h"
#include "model/context.h"
#include "model/sources.h"
#include "support/scoped_context.h"
#include "tamo1dkernel.h"

namespace {

using tamo::test_support::ScopedContext;

// Four interior nodes 2..5 with east boundaries 0.01, 0.03, 0.06, 0.10 and volumes
// 0.005 (half element), 0.02, 0.03, 0.02 (half element).
constexpr std::array<double, 5> kX = {0.0, 0.01, 0.03, 0.06, 0.10};
constexpr std::array<int32_t, 5> kMat = {0, 1, 1, 1, 1};

void setGrid(const ScopedContext& c) {
  ASSERT_EQ(tamoSetGrid(c.handle(), 5, kX.data(), 0.0, kMat.data()), TAMO_OK);
}

int32_t define(const ScopedContext& c, int32_t number, int32_t type, double start, double thickness,
               double value = 1.0, int32_t subtype = 0, int32_t side = 0) {
  const double values[3] = {value, 0.0, 0.0};
  return tamoSetSource(c.handle(), number, type, subtype, side, start, thickness, values);
}

double rangeVolume(const tamo::Context& ctx, const tamo::Source& s) {
  double sum = 0.0;
  for (int32_t i = 1; i <= s.rangeCount; ++i) sum += ctx.nodeVolume[s.rangeStart + i];
  return sum;
}

TEST(Sources, RangeMappingOntoNodes) {
  ScopedContext c;
  setGrid(c);
  const tamo::Context& ctx = c.ctx();
  struct Case {
    double start, thickness;
    int32_t rangeStart, rangeCount;
  };
  const Case cases[] = {
      {0.015, 0.001, 2, 1},  // thinner than node 3, starting inside it: node 3 alone
      {0.02, 0.05, 2, 2},    // from inside node 3 to inside node 4: nodes 3, 4
      {-1.0, 5.0, 1, 4},     // the whole component: both half nodes at the surfaces
      {0.0, 0.005, 1, 1},    // inside the surface node of side A
      {0.07, 1.0, 4, 1},     // the surface node of side B only
      {0.01, 0.02, 1, 1},    // starts exactly on the east boundary of node 2: node 2
      {0.2, 0.1, 0, 0},      // beyond the last node: no node
  };
  int32_t number = 0;
  for (const Case& k : cases) {
    ++number;
    ASSERT_EQ(define(c, number, 0, k.start, k.thickness), TAMO_OK) << number;
    const tamo::Source& s = ctx.sources[number];
    EXPECT_EQ(s.rangeStart, k.rangeStart) << number;
    EXPECT_EQ(s.rangeCount, k.rangeCount) << number;
    if (k.rangeCount == 0) {
      EXPECT_EQ(s.spreadFactor, 0.0) << number;
    } else {
      // In plane geometry the range thickness is the sum of the node volumes.
      EXPECT_NEAR(s.spreadFactor * rangeVolume(ctx, s), 1.0, 1e-13) << number;
    }
  }
}

TEST(Sources, HeatTermsDeliverExactlyTheSourcePower) {
  ScopedContext c;
  setGrid(c);
  tamo::Context& ctx = c.ctx();
  ASSERT_EQ(define(c, 1, 0, 0.02, 0.05), TAMO_OK);  // nodes 3, 4
  ASSERT_EQ(define(c, 2, 0, 0.05, 0.01), TAMO_OK);  // node 4
  const tamo::Source& s = ctx.sources[1];
  const double V = ctx.nodeVolume[3];

  for (double rate : {250.0, -250.0, 0.0}) {
    ctx.sources[1].rate = rate;
    for (double T : {-269.9, -40.0, 0.0, 25.0, 1199.0}) {
      double b = 3.0, d = 7.0;
      tamo::heatSourceTerms(ctx, s, 3, T, b, d);
      EXPECT_GE(b, 3.0) << rate << " " << T;
      EXPECT_NEAR((d - 7.0) - (b - 3.0) * T, V * rate, 1e-9 * std::abs(V * rate) + 1e-12)
          << rate << " " << T;
    }
  }
  // Nothing at or above 1200 degC for a source, at or below -270 degC for a sink.
  for (auto [rate, T] : {std::pair{250.0, 1200.0}, std::pair{250.0, 1500.0},
                         std::pair{-250.0, -270.0}, std::pair{-250.0, -300.0}}) {
    ctx.sources[1].rate = rate;
    double b = 3.0, d = 7.0;
    tamo::heatSourceTerms(ctx, s, 3, T, b, d);
    EXPECT_TRUE(b == 3.0 && d == 7.0) << rate << " " << T;
  }

  // All sources holding a node add up; nodes outside every range get nothing.
  ctx.sources[1].rate = 100.0;
  ctx.sources[2].rate = 40.0;
  const double T = 15.0;
  for (int32_t i = 2; i <= 5; ++i) {
    double b = 0.0, d = 0.0;
    tamo::addHeatSourceTerms(ctx, i, T, b, d);
    const double expected = i == 3   ? 100.0 * ctx.nodeVolume[3]
                            : i == 4 ? 140.0 * ctx.nodeVolume[4]
                                     : 0.0;
    EXPECT_NEAR(d - b * T, expected, 1e-12) << i;
  }

  // Air exchange with side B: sensible heat of the air volume exchanged per second,
  // rho_air = p / (R_air T_abs), R_air = 8314/29, c_air = 3.5 R_air.
  ASSERT_EQ(define(c, 3, 2, 0.02, 0.01, 3.6, 0, 2), TAMO_OK);  // node 3, 0.001 air changes/s
  ctx.sideB.ambientTemperature = -10.0;
  ctx.airPressure = 101325.0;
  const double Rair = 8314.0 / 29.0;
  const double H = ctx.nodeVolume[3] * 0.001 * 101325.0 / (Rair * 263.15) * 3.5 * Rair;
  double b = 0.0, d = 0.0;
  tamo::heatSourceTerms(ctx, ctx.sources[3], 3, 20.0, b, d);
  EXPECT_NEAR(b, H, 1e-12 * H);
  EXPECT_NEAR(d - b * 20.0, H * (-10.0 - 20.0), 1e-10);
}

TEST(Sources, MoistureTermsDeliverExactlyTheCappedStrength) {
  ScopedContext c;
  setGrid(c);
  tamo::Context& ctx = c.ctx();
  ASSERT_EQ(define(c, 1, 1, 0.02, 0.05), TAMO_OK);  // nodes 3, 4
  tamo::Source& s = ctx.sources[1];
  std::vector<double> temperature(6, 20.0);
  const tamo::HostArray<double> T(temperature.data());
  const double V = ctx.nodeVolume[4];
  const double bigCap = 1.0;

  for (double rate : {2e-6, -2e-6}) {
    s.rate = rate;
    for (double phi : {1e-10, 0.3, 0.95, 0.999999}) {
      double b = 0.0, d = 0.0;
      tamo::moistureSourceTerms(ctx, s, 4, T, phi, 2339.0, bigCap, b, d);
      EXPECT_GE(b, 0.0);
      EXPECT_NEAR(d - b * phi, V * rate, 1e-9 * V * std::abs(rate)) << rate << " " << phi;
    }
  }
  // A source fades at saturation, a sink at dryness.
  for (auto [rate, phi] : {std::pair{2e-6, 1.0}, std::pair{2e-6, 1.005}, std::pair{-2e-6, 1e-16},
                           std::pair{-2e-6, 0.0}}) {
    s.rate = rate;
    double b = 2.0, d = 1.0;
    tamo::moistureSourceTerms(ctx, s, 4, T, phi, 2339.0, bigCap, b, d);
    EXPECT_TRUE(b == 2.0 && d == 1.0) << rate << " " << phi;
  }
  // No more than the air-filled pores take in one step: eps_air * 999 kg/m3 per dt.
  const double epsAir = 0.02, dt = 600.0;
  const double cap = epsAir * 999.0 / dt;
  s.rate = 10.0 * cap;
  double b = 0.0, d = 0.0;
  tamo::moistureSourceTerms(ctx, s, 4, T, 0.5, 2339.0, cap, b, d);
  EXPECT_NEAR(d - b * 0.5, cap * V, 1e-15);
  // ... while a sink is not capped.
  s.rate = -10.0 * cap;
  b = d = 0.0;
  tamo::moistureSourceTerms(ctx, s, 4, T, 0.5, 2339.0, cap, b, d);
  EXPECT_NEAR(d - b * 0.5, -10.0 * cap * V, 1e-14);
}

}  // namespace
