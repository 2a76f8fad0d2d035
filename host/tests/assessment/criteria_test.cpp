// Running-mean humidity criterion, freeze-thaw counting, wood moisture and the dynamic
// equilibrium on synthetic series whose answers are counted by hand; a monitor's state saved
// and restored part-way gives the judgements of the uninterrupted series.
#include <gtest/gtest.h>

#include <cmath>

#include "dynamic_equilibrium.h"
#include "freeze_thaw_counter.h"
#include "monitor_assessment.h"
#include "running_mean_humidity_criterion.h"
#include "wood_moisture_content.h"

namespace tamo1d::assessment {
namespace {

constexpr double kHour = 3600.0;

// 90 days. Days 1-40: 20 degC, 70 %; days 41-60: 20 degC, 96 %; days 61-90: 0 degC, 96 %.
// With h high days in the window the 30-day mean is (0.70 (30 - h) + 0.96 h) / 30: 0.7953 for
// h = 11, 0.804 for h = 12, so the limit 0.80 is exceeded from day 52 on. With c cold days the mean
// temperature 20 (30 - c) / 30 < 5 for c >= 23: from day 83 on the limit does not apply. Exceeding:
// days 52-82 = 31; judged: days 30-90 = 61. Steps of 0.5 h and 1.5 h alternate, so that some steps
// straddle a day's end.
TEST(RunningMeanHumidityCriterion, CountsExceedingDaysOfSyntheticSeries) {
  RunningMeanHumidityCriterion criterion;
  double t = 0.0;
  for (int i = 0; t < 90 * 24.0 - 1e-9; ++i) {
    const double step = i % 2 == 0 ? 0.5 : 1.5;
    const int day = static_cast<int>((t + 1e-9) / 24.0) + 1;  // day of the step's start
    criterion.advance(step * kHour, day > 60 ? 0.0 : 20.0, day > 40 ? 0.96 : 0.70);
    t += step;
  }
  EXPECT_EQ(criterion.judgedDays(), 61);
  EXPECT_EQ(criterion.exceedingDays(), 31);
  EXPECT_NEAR(criterion.maximumMeanHumidity(), 0.96, 1e-12);
}

// Days of 16 h at +3 degC and 8 h at -3 degC: one crossing pair per day. Saturation 0.95 on
// days 1-5, 0.5 on days 6-10: 5 cycles at the default critical 0.9, 10 at 0.4, none with a
// threshold of -4 degC. A run that starts frozen does not count its first thaw.
TEST(FreezeThawCounter, CountsCyclesOfSyntheticSeries) {
  struct Case {
    double threshold, critical, startTemperature;
    int cycles;
  };
  for (const Case& c : {Case{0.0, 0.9, 3.0, 5}, Case{0.0, 0.4, 3.0, 10}, Case{-4.0, 0.4, 3.0, 0},
                        Case{0.0, 0.4, -3.0, 10}}) {
    FreezeThawCounter counter(c.threshold, c.critical);
    counter.advance(c.startTemperature, 0.95, 0.0);
    if (c.startTemperature < 0) counter.advance(3.0, 0.95, 0.0);  // thaw of the start
    for (int hour = 0; hour < 10 * 24; ++hour) {
      const bool cold = hour % 24 >= 16;
      counter.advance(cold ? -3.0 : 3.0, hour < 5 * 24 ? 0.95 : 0.5, cold ? 12.0 : 0.0);
    }
    counter.advance(3.0, 0.5, 0.0);  // thaw of day 10
    EXPECT_EQ(counter.cycles(), c.cycles) << c.threshold << " " << c.critical;
    EXPECT_EQ(counter.maximumIce(), 12.0);
  }
}

// Time above 20 % by mass in a 500 kg/m3 board: 100 kg/m3 is 0.20 (not above), 110 is 0.22.
TEST(WoodMoistureContent, MassRatioAndTimeAboveThreshold) {
  WoodMoistureContent wood(500.0);
  for (double w : {80.0, 100.0, 110.0, 120.0, 90.0}) wood.advance(2 * kHour, w);
  EXPECT_DOUBLE_EQ(wood.maximum(), 0.24);
  EXPECT_DOUBLE_EQ(wood.current(), 0.18);
  EXPECT_DOUBLE_EQ(wood.secondsAbove(), 4 * kHour);
}

// Year ends W_k = 2 + 8 * 0.5^k from W_0 = 10 (drying): the relative change
// 8 * 0.5^k / (2 + 8 * 0.5^(k-1)) is 0.0152 after year 8 and 0.0077 after year 9, so a 1 %
// tolerance stops after year 9. Mirrored (W_k = 10 - 8 * 0.5^k from 2) it accumulates and the
// changes are 8 * 0.5^k / (10 - 8 * 0.5^(k-1)): 0.0128 after year 6, 0.0063 after year 7.
TEST(DynamicEquilibrium, StopsInTheRightYear) {
  struct Case {
    double sign;
    int maximumYears, years;
    bool reached;
    WaterTrend trend;
  };
  for (const Case& c :
       {Case{1.0, 20, 9, true, WaterTrend::Drying}, Case{1.0, 5, 5, false, WaterTrend::Drying},
        Case{-1.0, 20, 7, true, WaterTrend::Accumulating}}) {
    const auto water = [&](int k) { return 6.0 + c.sign * (8.0 * std::pow(0.5, k) - 4.0); };
    DynamicEquilibrium equilibrium(water(0), 0.01, c.maximumYears);
    int year = 1;
    while (equilibrium.endOfYear(water(year))) ++year;
    EXPECT_EQ(equilibrium.years(), c.years);
    EXPECT_EQ(equilibrium.reached(), c.reached);
    EXPECT_EQ(equilibrium.trend(), c.trend);
    EXPECT_EQ(equilibrium.yearEndWater().size(), static_cast<std::size_t>(c.years) + 1);
  }
}

// 60 days in steps of 0.7 h: 20 days warm and wet (mould grows, the 30-day mean exceeds),
// 20 days frozen and thawed on alternate days with the saturation 0.95 only before noon, 20
// dry days (mould declines). Interrupted at step k (mid-day, in a frozen afternoon, in the
// dry spell), the state saved and restored into a fresh monitor must continue to the same
// judgements, bit for bit.
TEST(MonitorAssessment, StateRestoredPartWayContinuesTheSeries) {
  MonitorSettings settings;
  settings.woodDryDensity = 450.0;
  settings.maximumWater = 200.0;
  auto at = [](int i) {
    const double day = std::floor(0.7 * i / 24.0), hour = 0.7 * i - 24.0 * day;
    if (day < 20) return MonitorState{21.0, 0.95, 120.0, 0.0};
    if (day >= 40) return MonitorState{21.0, 0.5, 60.0, 0.0};
    const bool frozen = std::fmod(day, 2.0) == 0.0;
    return MonitorState{frozen ? -4.0 : 3.0, 0.9, hour < 12 ? 190.0 : 100.0, frozen ? 30.0 : 0.0};
  };
  auto judged = [](const MonitorAssessment& m, std::vector<double> values = {}) {
    std::vector<Judgement> lines;
    m.judge("x", lines);
    for (const Judgement& j : lines) values.push_back(j.value);
    return values;
  };
  constexpr int kSteps = 2057;  // 60 days
  MonitorAssessment whole(settings);
  for (int i = 0; i < kSteps; ++i) whole.advance(0.7 * kHour, at(i));
  for (const int k : {30, 843, 1560}) {
    MonitorAssessment first(settings), resumed(settings);
    for (int i = 0; i < k; ++i) first.advance(0.7 * kHour, at(i));
    std::vector<double> state;
    first.saveState(state);
    StateReader in(state);
    resumed.restoreState(in);
    ASSERT_TRUE(in.complete()) << k;
    for (int i = k; i < kSteps; ++i) resumed.advance(0.7 * kHour, at(i));
    EXPECT_EQ(judged(resumed), judged(whole)) << k;
  }
  DynamicEquilibrium years(10.0, 0.01, 5), restored(0.0, 0.01, 5);
  std::vector<double> state;
  years.endOfYear(9.95);  // reached
  years.saveState(state);
  StateReader in(state);
  restored.restoreState(in);
  EXPECT_TRUE(in.complete() && restored.reached() &&
              restored.yearEndWater() == years.yearEndWater());
}

}  // namespace
}  // namespace tamo1d::assessment
