// Sources: mapping of position ranges onto nodes, the definition lifecycle (numbers,
// lists, removal by the parameters), updates and climate refresh, and the linearised
// balance terms, which must deliver exactly the source strength at the iterate while the
// diagonal never decreases.
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

bool sameRecord(const tamo::Source& a, const tamo::Source& b) {
  return a.type == b.type && a.subtype == b.subtype && a.side == b.side && a.start == b.start &&
         a.thickness == b.thickness && a.rangeStart == b.rangeStart &&
         a.rangeCount == b.rangeCount && a.climateCoupled == b.climateCoupled &&
         a.active == b.active && a.rate == b.rate && a.value == b.value &&
         a.spreadFactor == b.spreadFactor && a.leakageFactor == b.leakageFactor &&
         a.stackFactor == b.stackFactor && a.overpressure == b.overpressure &&
         a.pressureDifference == b.pressureDifference &&
         a.interiorVapourDensity == b.interiorVapourDensity;
}

double rangeVolume(const tamo::Context& ctx, const tamo::Source& s) {
  double sum = 0.0;
  for (int32_t i = s.rangeStart + 1; i <= s.rangeStart + s.rangeCount; ++i) {
    sum += ctx.nodeVolume[i];
  }
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
  EXPECT_NEAR(ctx.sources[3].spreadFactor, 1.0 / 0.075, 1e-9);
  EXPECT_NEAR(ctx.sources[1].spreadFactor, 50.0, 1e-9);
}

TEST(Sources, DefinitionLifecycleAndResultCodes) {
  ScopedContext c;
  const double v[3] = {3600.0, 0.0, 0.0};
  // Frame checks first, then the already-defined test, then the grid.
  EXPECT_EQ(tamoSetSource(c.handle(), 0, 7, 0, 0, 0.0, 1.0, v), TAMO_BAD_SOURCE_NUMBER);
  EXPECT_EQ(tamoSetSource(c.handle(), 1, -1, 0, 0, 0.0, 1.0, v), TAMO_BAD_SOURCE_KIND);
  EXPECT_EQ(tamoSetSource(c.handle(), 1, 3, 0, 0, 0.0, 1.0, v), TAMO_BAD_SOURCE_KIND);
  EXPECT_EQ(tamoSetSource(c.handle(), 1, 0, 0, 0, 0.0, 1.0, v), TAMO_NO_GRID);
  EXPECT_EQ(tamoSetSource(c.handle() + 1000, 1, 0, 0, 0, 0.0, 1.0, v), TAMO_INVALID_HANDLE);
  setGrid(c);
  tamo::Context& ctx = c.ctx();

  // Source 5 first: records 1..4 exist and stay inactive.
  ASSERT_EQ(tamoSetSource(c.handle(), 5, 0, 0, 0, 0.0, 1.0, v), TAMO_OK);
  EXPECT_EQ(ctx.sourceCount, 5);
  EXPECT_EQ(ctx.heatSourceCount, 1);
  EXPECT_EQ(ctx.moistureSourceCount, 0);
  EXPECT_DOUBLE_EQ(ctx.sources[5].rate, 1.0);  // value / 3600 until the first update
  for (int32_t k = 1; k <= 4; ++k) {
    EXPECT_FALSE(tamo::isTrue(ctx.sources[k].active)) << k;
    const tamo::Source before = ctx.sources[k];
    EXPECT_EQ(tamoUpdateSource(c.handle(), k, v), TAMO_OK) << k;
    EXPECT_TRUE(sameRecord(before, ctx.sources[k])) << k;
  }
  EXPECT_EQ(tamoUpdateSource(c.handle(), 6, v), TAMO_BAD_SOURCE_NUMBER);
  EXPECT_EQ(tamoUpdateSource(c.handle(), 0, v), TAMO_BAD_SOURCE_NUMBER);

  // A second definition of 5 is refused and changes nothing; refused calls leave the
  // table alone.
  const tamo::Source five = ctx.sources[5];
  EXPECT_EQ(tamoSetSource(c.handle(), 5, 1, 0, 0, 0.05, 1.0, v), TAMO_ALREADY_SET);
  EXPECT_EQ(tamoSetSource(c.handle(), 7, 2, 0, 3, 0.0, 1.0, v), TAMO_BAD_ARGUMENT);
  EXPECT_EQ(tamoSetSource(c.handle(), 8, 2, 0, 0, 0.0, 1.0, v), TAMO_BAD_ARGUMENT);
  EXPECT_EQ(tamoSetSource(c.handle(), 9, 0, 0, 0, 0.0, 1.0, nullptr), TAMO_NULL_ARRAY);
  EXPECT_TRUE(sameRecord(five, ctx.sources[5]));
  EXPECT_EQ(ctx.sourceCount, 5);
  EXPECT_EQ(ctx.heatSourceCount, 1);

  // Air exchange goes into both lists; a lower number fills an inactive record.
  ASSERT_EQ(tamoSetSource(c.handle(), 2, 2, 0, 1, 0.0, 1.0, v), TAMO_OK);
  ASSERT_EQ(tamoSetSource(c.handle(), 3, 1, 0, 0, 0.0, 1.0, v), TAMO_OK);
  EXPECT_EQ(ctx.sourceCount, 5);
  EXPECT_EQ(ctx.heatSourceCount, 2);
  EXPECT_EQ(ctx.moistureSourceCount, 2);
  EXPECT_EQ(ctx.heatSourceList[1], 5);
  EXPECT_EQ(ctx.heatSourceList[2], 2);
  EXPECT_EQ(ctx.moistureSourceList[1], 2);
  EXPECT_EQ(ctx.moistureSourceList[2], 3);
  EXPECT_EQ(tamoSetSource(c.handle(), 2, 0, 0, 0, 0.0, 1.0, v), TAMO_ALREADY_SET);
  EXPECT_EQ(tamoSetSource(c.handle(), 3, 0, 0, 0, 0.0, 1.0, v), TAMO_ALREADY_SET);

  // Subtypes: 1 only for moisture; anything else inactive with an empty range.
  ASSERT_EQ(tamoSetSource(c.handle(), 6, 0, 1, 0, 0.0, 1.0, v), TAMO_OK);
  ASSERT_EQ(tamoSetSource(c.handle(), 7, 1, 2, 0, 0.0, 1.0, v), TAMO_OK);
  for (int32_t k : {6, 7}) {
    EXPECT_FALSE(tamo::isTrue(ctx.sources[k].active)) << k;
    EXPECT_EQ(ctx.sources[k].rangeCount, 0) << k;
  }

  // The parameters empty every list: the numbers are free again, and a new definition
  // starts the table anew even though the old records are still allocated.
  ASSERT_EQ(tamoSetParameter(c.handle(), 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, 0), TAMO_OK);
  EXPECT_EQ(ctx.sourceCount, 0);
  EXPECT_EQ(tamoUpdateSource(c.handle(), 1, v), TAMO_BAD_SOURCE_NUMBER);
  ASSERT_EQ(tamoSetSource(c.handle(), 3, 0, 0, 0, 0.0, 1.0, v), TAMO_OK);
  EXPECT_EQ(ctx.sourceCount, 3);
  EXPECT_EQ(ctx.heatSourceCount, 1);
  EXPECT_EQ(ctx.moistureSourceCount, 0);
  EXPECT_FALSE(tamo::isTrue(ctx.sources[2].active));  // was the air exchange
  EXPECT_EQ(ctx.sources[2].rangeCount, 0);
  EXPECT_EQ(ctx.sources[3].type, 0);
}

TEST(Sources, UpdateAndClimateRefresh) {
  ScopedContext c;
  setGrid(c);
  tamo::Context& ctx = c.ctx();
  // Heat source over nodes 3, 4 (0.05 m); moisture source coupled to the rain of side B;
  // heat source coupled to the radiation of side A; air exchange; infiltration.
  ASSERT_EQ(define(c, 1, 0, 0.02, 0.05, 7200.0), TAMO_OK);
  ASSERT_EQ(define(c, 2, 1, 0.02, 0.05, 0.5, 0, 2), TAMO_OK);
  ASSERT_EQ(define(c, 3, 0, 0.02, 0.05, 0.25, 0, 1), TAMO_OK);
  ASSERT_EQ(define(c, 4, 2, 0.02, 0.05, 7.2, 0, 2), TAMO_OK);
  const double infiltration[3] = {2.0, 3.0, 4.0};
  ASSERT_EQ(tamoSetSource(c.handle(), 5, 1, 1, 2, 0.02, 0.05, infiltration), TAMO_OK);
  EXPECT_TRUE(tamo::isTrue(ctx.sources[5].active));
  EXPECT_DOUBLE_EQ(ctx.sources[5].leakageFactor, 2.0 / 2700000.0);
  EXPECT_DOUBLE_EQ(ctx.sources[5].stackFactor, 12.753 * 1.5);
  EXPECT_EQ(ctx.sources[5].overpressure, 4.0);
  EXPECT_EQ(ctx.sources[5].pressureDifference, 0.0);  // until the first refresh

  ctx.sideA.radiation = 400.0;
  ctx.sideA.ambientTemperature = 0.0;
  ctx.sideB.rain = 1.8;
  ctx.sideB.ambientTemperature = 20.0;
  ctx.sideB.ambientHumidity = 0.5;

  // A plain source delivers value per component area once updated.
  const double q[1] = {30.0};
  ASSERT_EQ(tamoUpdateSource(c.handle(), 1, q), TAMO_OK);
  EXPECT_NEAR(ctx.sources[1].rate * 0.05, 30.0, 1e-12);
  // Without values only the climate refresh runs, which a plain uncoupled source ignores.
  ASSERT_EQ(tamoUpdateSource(c.handle(), 1, nullptr), TAMO_OK);
  EXPECT_NEAR(ctx.sources[1].rate * 0.05, 30.0, 1e-12);

  tamo::refreshSourcesFromClimate(ctx);
  // Rain of side B: 0.5 * 1.8 kg/(m2 h) spread over 0.05 m.
  EXPECT_NEAR(ctx.sources[2].rate * 0.05, 0.5 * 1.8 / 3600.0, 1e-18);
  // A quarter of the radiation of side A.
  EXPECT_NEAR(ctx.sources[3].rate * 0.05, 100.0, 1e-12);
  // The air exchange keeps its air changes per second.
  EXPECT_NEAR(ctx.sources[4].rate, 7.2 / 3600.0, 1e-18);
  // Infiltration: stack effect over 20 K at 293.15 K plus the overpressure.
  EXPECT_NEAR(ctx.sources[5].pressureDifference, 20.0 * 12.753 * 1.5 / 293.15 + 4.0, 1e-12);
  EXPECT_NEAR(ctx.sources[5].interiorVapourDensity, 0.5 * 0.0173, 0.5 * 0.0002);

  // New infiltration values replace the factors but not `value`.
  const double newInfiltration[3] = {15.0, 0.0, -1.0};
  ASSERT_EQ(tamoUpdateSource(c.handle(), 5, newInfiltration), TAMO_OK);
  EXPECT_DOUBLE_EQ(ctx.sources[5].leakageFactor, 1.0 / 180000.0);
  EXPECT_EQ(ctx.sources[5].pressureDifference, -1.0);
  // An air exchange update sets per-hour values.
  const double ach[1] = {1.8};
  ASSERT_EQ(tamoUpdateSource(c.handle(), 4, ach), TAMO_OK);
  EXPECT_NEAR(ctx.sources[4].rate, 0.0005, 1e-18);
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
  struct Off {
    double rate, T;
  };
  for (Off o : {Off{250.0, 1200.0}, Off{250.0, 1500.0}, Off{-250.0, -270.0}, Off{-250.0, -300.0}}) {
    ctx.sources[1].rate = o.rate;
    double b = 3.0, d = 7.0;
    tamo::heatSourceTerms(ctx, s, 3, o.T, b, d);
    EXPECT_EQ(b, 3.0) << o.rate << " " << o.T;
    EXPECT_EQ(d, 7.0) << o.rate << " " << o.T;
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
    EXPECT_EQ(b, 2.0) << rate << " " << phi;
    EXPECT_EQ(d, 1.0) << rate << " " << phi;
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

  // Through the list: node 2 lies outside the range.
  s.rate = 1e-6;
  b = d = 0.0;
  tamo::addMoistureSourceTerms(ctx, 2, T, 0.5, 2339.0, bigCap, b, d);
  EXPECT_EQ(b, 0.0);
  EXPECT_EQ(d, 0.0);
  tamo::addMoistureSourceTerms(ctx, 3, T, 0.5, 2339.0, bigCap, b, d);
  EXPECT_NEAR(d - b * 0.5, 1e-6 * ctx.nodeVolume[3], 1e-20);
}

TEST(Sources, AirExchangeAndInfiltrationMoistureTerms) {
  ScopedContext c;
  setGrid(c);
  tamo::Context& ctx = c.ctx();
  // Air exchange with side A over node 3: vapour density difference times air volume,
  // rho_v = phi p_sat / (R_v T_abs).
  ASSERT_EQ(define(c, 1, 2, 0.02, 0.01, 3.6, 0, 1), TAMO_OK);
  ctx.sideA.ambientTemperature = 5.0;
  ctx.sideA.ambientHumidity = 0.8;
  std::vector<double> temperature = {0.0, 20.0, 20.0, 20.0, 20.0, 20.0};
  const tamo::HostArray<double> T(temperature.data());
  const double psat20 = tamo::saturationVapourPressure(20.0);
  double b = 0.0, d = 0.0;
  tamo::moistureSourceTerms(ctx, ctx.sources[1], 3, T, 0.6, psat20, 0.0, b, d);
  const double ambientDensity = 0.8 * tamo::saturationVapourPressure(5.0) / (462.0 * 278.15);
  const double nodeDensity = 0.6 * psat20 / (462.0 * 293.15);
  EXPECT_NEAR(d - b * 0.6, ctx.nodeVolume[3] * 0.001 * (ambientDensity - nodeDensity), 1e-15);

  // Infiltration over nodes 3, 4: condenses when the coldest node of the range and the node
  // after it is colder than the dew point of the interior air.
  const double values[3] = {2700000.0, 0.0, 10.0};  // leakage factor 1, 10 Pa
  ASSERT_EQ(tamoSetSource(c.handle(), 2, 1, 1, 2, 0.02, 0.05, values), TAMO_OK);
  tamo::Source& s = ctx.sources[2];
  ctx.sideA.ambientTemperature = 20.0;
  ctx.sideB.ambientTemperature = 20.0;
  ctx.sideB.ambientHumidity = 0.5;
  tamo::refreshSourcesFromClimate(ctx);
  EXPECT_NEAR(s.pressureDifference, 10.0, 1e-12);
  const double rhoInterior = s.interiorVapourDensity;

  // Node 5 (after the range) is the coldest: 0 degC holds less than half of 20 degC air.
  temperature = {20.0, 20.0, 15.0, 10.0, 0.0, 20.0};
  const double expectedRate =
      (rhoInterior - tamo::saturationVapourDensity(0.0)) * 10.0 * 1.0 * s.spreadFactor;
  ASSERT_GT(expectedRate, 0.0);
  b = d = 0.0;
  tamo::moistureSourceTerms(ctx, s, 3, T, 0.5, 1700.0, 1.0, b, d);
  EXPECT_DOUBLE_EQ(s.rate, expectedRate);
  EXPECT_NEAR(d - b * 0.5, expectedRate * ctx.nodeVolume[3], 1e-15);

  // Warm enough everywhere: the rate becomes 0 and the node gets nothing.
  temperature = {20.0, 20.0, 15.0, 12.0, 11.0, 20.0};
  b = d = 0.0;
  tamo::moistureSourceTerms(ctx, s, 4, T, 0.5, 1700.0, 1.0, b, d);
  EXPECT_EQ(s.rate, 0.0);
  EXPECT_EQ(b, 0.0);
  EXPECT_EQ(d, 0.0);
}

// Every per-hour value becomes per-second by a division by 3600 (for value 3 a product with
// the rounded reciprocal 0.0002777777777777778 would give 0.0008333333333333333, one bit
// lower), and the leakage factor is a chain of three divisions. Grid positions are exact binary fractions so
// that the spread factor of node 3 is exactly 2.
TEST(Sources, PerHourConversionAndInfiltrationFactorsAreBitExact) {
  ScopedContext c;
  const std::array<double, 5> X = {0.0, 0.25, 0.75, 1.25, 1.5};
  ASSERT_EQ(tamoSetGrid(c.handle(), 5, X.data(), 0.0, kMat.data()), TAMO_OK);
  tamo::Context& ctx = c.ctx();
  const double threePerHour = 3.0 / 3600.0;  // 0.0008333333333333334
  ASSERT_NE(threePerHour, 3.0 * 0.0002777777777777778);

  ASSERT_EQ(define(c, 1, 0, 0.5, 0.1, 3.0), TAMO_OK);        // node 3 only
  ASSERT_EQ(define(c, 2, 2, 0.5, 0.1, 3.0, 0, 1), TAMO_OK);  // air exchange, node 3
  ASSERT_EQ(define(c, 3, 1, 0.5, 0.1, 1.0, 0, 2), TAMO_OK);  // rain of side B, node 3
  EXPECT_EQ(ctx.sources[1].spreadFactor, 2.0);
  EXPECT_EQ(ctx.sources[1].rate, threePerHour);
  EXPECT_EQ(ctx.sources[2].rate, threePerHour);

  const double ach[1] = {3.0};
  ctx.sources[2].rate = 0.0;
  ASSERT_EQ(tamoUpdateSource(c.handle(), 2, ach), TAMO_OK);
  EXPECT_EQ(ctx.sources[2].rate, threePerHour);

  // Rain 1.5 kg/(m2 h) on side B, value 1, spread factor 2: 3 per hour.
  ctx.sideB.rain = 1.5;
  tamo::refreshSourcesFromClimate(ctx);
  EXPECT_EQ(ctx.sources[3].rate, threePerHour);

  // value(1) = 7: 7 / 15 / 50 / 3600 = 2.592592592592593e-06 (one division by 2700000
  // would give 2.5925925925925925e-06); stack 12.753000000000002 * 3 * 0.5.
  const double infiltration[3] = {7.0, 3.0, -2.0};
  ASSERT_EQ(tamoSetSource(c.handle(), 4, 1, 1, 2, 0.5, 0.1, infiltration), TAMO_OK);
  EXPECT_EQ(ctx.sources[4].leakageFactor, 2.592592592592593e-06);
  EXPECT_EQ(ctx.sources[4].stackFactor, 19.129500000000004);
  ctx.sources[4].leakageFactor = 0.0;
  ASSERT_EQ(tamoUpdateSource(c.handle(), 4, infiltration), TAMO_OK);
  EXPECT_EQ(ctx.sources[4].leakageFactor, 2.592592592592593e-06);
  EXPECT_EQ(ctx.sources[4].overpressure, -2.0);
}

// The range thickness D is inverted as it stands; only D = 0 (a grid with one interior node)
// is kept from producing an infinite rate.
TEST(Sources, SpreadFactorOfDegenerateGrids) {
  {
    ScopedContext c;
    const std::array<double, 2> X = {0.0, 0.2};
    const std::array<int32_t, 2> mat = {0, 1};
    ASSERT_EQ(tamoSetGrid(c.handle(), 2, X.data(), 0.0, mat.data()), TAMO_OK);
    ASSERT_EQ(define(c, 1, 0, 0.0, 1.0), TAMO_OK);
    const tamo::Source& s = c.ctx().sources[1];
    EXPECT_EQ(s.rangeStart, 1);
    EXPECT_EQ(s.rangeCount, 1);
    EXPECT_EQ(s.spreadFactor, 0.0);
  }
  {
    // Positions that fall back: nodes 2 and 3 (X = 1.0, 0.25) give
    // D = 0.25 - 0 - (1.0 - 0) / 2 = -0.25.
    ScopedContext c;
    const std::array<double, 4> X = {0.0, 1.0, 0.25, 2.0};
    const std::array<int32_t, 4> mat = {0, 1, 1, 1};
    ASSERT_EQ(tamoSetGrid(c.handle(), 4, X.data(), 0.0, mat.data()), TAMO_OK);
    ASSERT_EQ(define(c, 1, 0, 0.5, 0.25), TAMO_OK);
    const tamo::Source& s = c.ctx().sources[1];
    EXPECT_EQ(s.rangeStart, 1);
    EXPECT_EQ(s.rangeCount, 2);
    EXPECT_EQ(s.spreadFactor, -4.0);
  }
}

}  // namespace
