// EN 15026:2007 Annex C indoor climate read off the standard's figures at their corners and
// midpoints.
#include <gtest/gtest.h>

#include "weather/indoor_climate_en15026.h"

namespace tamo1d::weather {
namespace {

TEST(IndoorClimateEn15026, NormalAndHighMoistureLoad) {
  struct Case {
    double dailyMean, temperature, normal, high;
  };
  for (const Case& c :
       {Case{-20.0, 20.0, 0.30, 0.40}, Case{-10.0, 20.0, 0.30, 0.40}, Case{5.0, 20.0, 0.45, 0.55},
        Case{15.0, 22.5, 0.55, 0.65}, Case{20.0, 25.0, 0.60, 0.70}, Case{30.0, 25.0, 0.60, 0.70}}) {
    const IndoorAir normal = en15026IndoorAir(c.dailyMean, MoistureLoad::Normal);
    const IndoorAir high = en15026IndoorAir(c.dailyMean, MoistureLoad::High);
    EXPECT_NEAR(normal.temperature, c.temperature, 1e-12) << c.dailyMean;
    EXPECT_NEAR(high.temperature, c.temperature, 1e-12) << c.dailyMean;
    EXPECT_NEAR(normal.humidity, c.normal, 1e-12) << c.dailyMean;
    EXPECT_NEAR(high.humidity, c.high, 1e-12) << c.dailyMean;
  }
}

TEST(IndoorClimateEn15026, DailyMeansFollowCalendarDays) {
  // Stamps 22..27 h: two values of day 0 (means 1.5), four of day 1 (mean 4.5).
  const std::vector<double> means =
      dailyMeanPerRecord({22, 23, 24, 25, 26, 27}, {1, 2, 3, 4, 5, 6});
  EXPECT_EQ(means, (std::vector<double>{1.5, 1.5, 4.5, 4.5, 4.5, 4.5}));
}

}  // namespace
}  // namespace tamo1d::weather
