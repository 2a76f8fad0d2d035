// Wind-driven rain by EN ISO 15927-3 against hand calculations.
#include "weather/driving_rain.h"

#include <gtest/gtest.h>

namespace tamo1d::weather {
namespace {

// 5 m/s from 250 degrees, 2 mm/h, west wall (270): 2/9 * 5 * 2^(8/9) * cos 20 deg = 1.933417.
TEST(DrivingRain, AirfieldIndexOfOneHourAndLeewardWalls) {
  struct Case {
    double wall, expected;
  };
  for (const Case& c : {Case{270.0, 1.9334170}, Case{230.0, 1.9334170}, Case{250.0, 2.0574994},
                        Case{160.0, 0.0}, Case{340.0, 0.0}, Case{70.0, 0.0}}) {
    EXPECT_NEAR(airfieldDrivingRain(5.0, 250.0, 2.0, c.wall), c.expected, 1e-6) << c.wall;
  }
  EXPECT_EQ(airfieldDrivingRain(0.0, 250.0, 2.0, 250.0), 0.0);
  EXPECT_EQ(airfieldDrivingRain(5.0, 250.0, 0.0, 250.0), 0.0);
}

TEST(DrivingRain, CoefficientsOfTheStandardsTables) {
  EXPECT_NEAR(roughnessCoefficient(TerrainCategory::II, 10.0), 1.00668, 1e-5);  // 0.19 ln 200
  EXPECT_NEAR(roughnessCoefficient(TerrainCategory::IV, 5.0), 0.66542, 1e-5);   // z_min 16 m
  EXPECT_NEAR(roughnessCoefficient(TerrainCategory::I, 20.0), 1.29215, 1e-5);   // 0.17 ln 2000
  EXPECT_NEAR(DrivingRainFactors{}.roughness, roughnessCoefficient(TerrainCategory::II, 10.0),
              1e-12);
  for (auto [distance, factor] : {std::pair{3.0, 0.2}, std::pair{10.0, 0.3}, std::pair{50.0, 0.6},
                                  std::pair{110.0, 0.9}, std::pair{500.0, 1.0}}) {
    EXPECT_NEAR(obstructionFactor(distance), factor, 1e-12) << distance;
  }
}

// Rain on a surface by slope: 2 mm/h, 5 m/s from the south onto a south-facing surface,
// all factors 1 (airfield 2/9 * 5 * 2^(8/9) = 2.0574994): roof r, wall the driving rain,
// in between r cos b + I sin b, facing down only the driving part.
TEST(DrivingRain, RoofShareBySlope) {
  DrivingRainFactors unit;
  unit.roughness = 1.0;
  unit.wall = 1.0;
  struct Case {
    double slope, windward, leeward;  // kg/(m2 h)
  };
  for (const Case& c :
       {Case{0.0, 2.0, 2.0}, Case{30.0, 2.7608005, 1.7320508}, Case{45.0, 2.8690853, 1.4142136},
        Case{90.0, 2.0574994, 0.0}, Case{120.0, 1.7818467, 0.0}}) {
    EXPECT_NEAR(rainOnSurface(5.0, 180.0, 2.0, 180.0, c.slope, unit), c.windward, 1e-6) << c.slope;
    EXPECT_NEAR(rainOnSurface(5.0, 180.0, 2.0, 0.0, c.slope, unit), c.leeward, 1e-6) << c.slope;
  }
}

}  // namespace
}  // namespace tamo1d::weather
