// The bundled test years converted onto facades: yearly sums within plausibility ranges
// and the flat roof receiving what the file measured on the horizontal.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "weather/fmi_test_year_reader.h"
#include "weather/surface_climate.h"

namespace tamo1d::weather {
namespace {

struct Year {
  const char* file;
  WeatherSite site;
  std::size_t rows;
};

// Plausibility ranges and their sources:
// - South-facing vertical wall: 80 to 110 % of the year's global horizontal irradiation. At
//   60 degrees north a vertical south surface receives about as much as the horizontal
//   (JRC PVGIS, European Commission: Helsinki, horizontal about 980 and vertical south
//   about 930 kWh/m2 a; Duffie and Beckman, Solar Engineering of Thermal Processes, ch. 2.19
//   on monthly ratios of tilted to horizontal irradiation at high latitudes).
// - Most exposed wall's airfield index (rain / (C_R W)): 0.3 to 1.4 times the liquid
//   horizontal rain. Lacy's driving-rain relation (R. E. Lacy, "Driving-rain maps and the
//   onslaught of rain on buildings", BRS Current Paper 54, 1965), R_v = 0.222 v R_h, gives
//   1.0 to 1.3 R_h for the 4 to 6 m/s mean wind during rain of these files, times the
//   mean cosine between wind and wall normal (0.3 to 1.0 within the prevailing sector).
// - The least exposed wall receives less than a third of the most exposed one.
// - Sky long-wave on the horizontal, annual mean 250 to 330 W/m2: surface stations of the
//   mid- and high-latitude continents (M. Wild et al., "The global energy balance from a
//   surface perspective", Climate Dynamics 40, 3107-3136, 2013, Table 3 / Fig. 4).
TEST(BundledYears, YearlySumsOnFacadesArePlausible) {
  for (const Year& y : {Year{"Vantaa-07.prn", {60.33, 24.97, 2.0, 51.0}, 8760},
                        Year{"Jokioinen-04.prn", {60.81, 23.50, 2.0, 104.0}, 8784}}) {
    SCOPED_TRACE(y.file);
    const WeatherSeries s =
        readFmiTestYear(std::string(TAMO_WEATHER_DATA_DIR "/") + y.file, y.site);
    ASSERT_EQ(s.size(), y.rows);
    double globalSum = 0.0;
    double liquidRain = 0.0;
    for (std::size_t i = 0; i < s.size(); ++i) {
      globalSum += s.globalHorizontal[i] / 1000.0;
      if (s.airTemperature[i] >= 0.0) liquidRain += s.precipitation[i];
    }
    SurfaceSettings roof;
    roof.orientation = {180.0, 0.0};
    const SurfaceClimate roofClimate = surfaceClimate(s, roof);
    const SurfaceSums roofSums = surfaceSums(roofClimate);
    EXPECT_NEAR(roofSums.solarIrradiation, globalSum, 1e-9 * globalSum);
    EXPECT_NEAR(roofSums.rain, liquidRain, 1e-9 * liquidRain);
    double skyMean = 0.0;
    for (double q : roofClimate.skyInfrared) skyMean += q / static_cast<double>(s.size());
    EXPECT_GT(skyMean, 250.0);
    EXPECT_LT(skyMean, 330.0);

    SurfaceSettings south;
    const double southSolar = surfaceSums(surfaceClimate(s, south)).solarIrradiation;
    EXPECT_GT(southSolar, 0.8 * globalSum);
    EXPECT_LT(southSolar, 1.1 * globalSum);

    double most = 0.0;
    double least = 1e9;
    for (double azimuth = 0.0; azimuth < 360.0; azimuth += 45.0) {
      SurfaceSettings wall;
      wall.orientation = {azimuth, 90.0};
      const double rain = surfaceSums(surfaceClimate(s, wall)).rain;
      most = std::max(most, rain);
      least = std::min(least, rain);
    }
    const double airfield = most / DrivingRainFactors{}.product();
    EXPECT_GT(airfield, 0.3 * liquidRain);
    EXPECT_LT(airfield, 1.4 * liquidRain);
    EXPECT_LT(least, most / 3.0);
  }
}

}  // namespace
}  // namespace tamo1d::weather
