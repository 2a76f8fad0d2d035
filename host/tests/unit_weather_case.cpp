// Cases on a weather file: the providers the weather section builds read the right records
// (hour convention, interpolation, repetition), and misuse is refused with the field named.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "case_error.h"
#include "case_loader.h"
#include "grid_builder.h"
#include "material_catalogue.h"
#include "standard_indoor_climate.h"
#include "surface_climate_totals.h"
#include "weather_side_climate.h"

namespace tamo1d {
namespace {

const std::string kCase = std::string(TAMO1D_EXAMPLE_CASES) + "/masonry_interior_insulation.json";

std::string defaultCaseText() {
  std::ifstream in(kCase);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

Case parsed(const std::string& text) {
  return parseCase(text, kCase, MaterialCatalogue({TAMO1D_TEST_CATALOGUE}),
                   std::string(TAMO1D_EXAMPLE_CASES));
}

TEST(WeatherCase, ProvidersReadTheRecordsOfTheClockHour) {
  const Case c = parsed(defaultCaseText());
  EXPECT_TRUE(c.surfaces[0].explicitLongWave);
  const auto* outside = dynamic_cast<const WeatherSideClimate*>(c.climate[0].get());
  const auto* inside = dynamic_cast<const StandardIndoorClimate*>(c.climate[1].get());
  ASSERT_NE(outside, nullptr);
  ASSERT_NE(inside, nullptr);
  // Vantaa 2007, 1 January: 2.3 degC at 12:00, 2.9 degC at 13:00 (rows 13 and 14); the hour
  // 12:00-13:00 is the record stamped 13:00. The day's mean is 2.3 degC: EN 15026 normal
  // load gives 20 degC and 30 % + (2.3 + 10) % = 42.3 %.
  for (double year : {0.0, 8760.0, 3 * 8760.0}) {
    const SideClimate a = outside->at(12.5 + year);
    EXPECT_NEAR(a.temperature, 2.6, 1e-12);
    EXPECT_EQ(a.radiation, outside->surfaceClimate().shortWave[13]);
    EXPECT_EQ(a.counterRadiation, outside->surfaceClimate().counterRadiation[13]);
    EXPECT_TRUE(std::isnan(a.heatTransfer));
    const SideClimate b = inside->at(12.5 + year);
    EXPECT_EQ(b.temperature, 20.0);
    EXPECT_NEAR(b.humidity, 0.423, 1e-12);
  }
  // The step ending at 24:00 still has 1 January's indoor air; the next one 2 January's
  // (mean 2.491667 degC: 42.49167 %). Rain 0.07 mm in the hour to 01:00 on 2 January.
  EXPECT_NEAR(inside->at(24.0).humidity, 0.423, 1e-12);
  EXPECT_NEAR(inside->at(24.5).humidity, 0.4249167, 1e-7);
  EXPECT_GT(outside->at(24.5).rain, 0.0);
  EXPECT_EQ(outside->at(24.5).rain, outside->surfaceClimate().rain[25]);
  // Wind 4.0 and 5.0 m/s at 12:00 and 13:00: h = 4 + 4 * 4.5 (EN ISO 6946) + 4.5 (the
  // radiative part the kernel takes off again in its explicit long-wave mode).
  std::string windy = defaultCaseText();
  windy.replace(windy.find("\"constant\""), 10, "\"wind\"");
  EXPECT_NEAR(parsed(windy).climate[0]->at(12.5).heatTransfer, 26.5, 1e-12);
  // Driving rain scales with the roughness coefficient C_R(z) = k_R ln(max(z, z_min) / z_0) of
  // the terrain category at 10 m (EN ISO 15927-3, Table 1; z_min = 16 m for category IV).
  const double roughness[] = {1.1743184, 1.0066803, 0.7714427, 0.6654213};
  const char* terrains[] = {"\"I\"", "\"II\"", "\"III\"", "\"IV\""};
  for (int k = 0; k < 4; ++k) {
    std::string text = defaultCaseText();
    text.replace(text.find("\"II\""), 4, terrains[k]);
    EXPECT_NEAR(parsed(text).climate[0]->at(24.5).rain / outside->at(24.5).rain,
                roughness[k] / roughness[1], 1e-6)
        << terrains[k];
  }
  // A depth monitor reads its depth against its own layer (the brick, 0.24 m).
  std::string deep = defaultCaseText();
  deep.replace(deep.find("\"depth\": 0.01"), 13, "\"depth\": 0.20");
  EXPECT_NO_THROW(parsed(deep));
  double pressure = 0.0;
  EXPECT_TRUE(outside->pressureAt(5.0, &pressure));
  EXPECT_NEAR(pressure, 100713.8, 0.1);  // ISO 2533 standard atmosphere at 51 m
}

TEST(WeatherCase, MisuseIsRefusedWithTheField) {
  const std::string text = defaultCaseText();
  struct Case_ {
    std::string from, to, field, words;
  };
  const std::vector<Case_> cases = {
      {"\"repeat\": true", "\"repeat\": false",  // two years on one year of weather
       "climate.side_a", "beyond the 8760 hours"},
      {"\"latitude\": 60.33,", "", "weather.latitude", "is required"},
      {"\"start_year\": 2007", "\"start_year\": 2006", "weather.start_year", "before"},
      {"Vantaa-07.prn", "Missing-07.prn", "weather.file", "cannot open"},
      {"\"room_surface\"", "\"room surface\"", "assessment.monitors[0].name",
       "must consist of letters"},
  };
  for (const Case_& k : cases) {
    std::string changed = text;
    changed.replace(changed.find(k.from), k.from.size(), k.to);
    if (k.from.starts_with("\"repeat\"")) {
      changed.replace(changed.find("\"duration_hours\": 8760"), 22, "\"duration_hours\": 17520");
    }
    try {
      parsed(changed);
      ADD_FAILURE() << k.field << " accepted";
    } catch (const CaseError& e) {
      EXPECT_EQ(e.field(), k.field) << e.what();
      EXPECT_NE(std::string(e.what()).find(k.words), std::string::npos) << e.what();
    }
  }
}

// Two half-hour steps with 500 and 300 W/m2 and 2 kg/(m2 h) of rain: 0.4 kWh/m2 and
// 2 kg/m2 in one hour, 3504 kWh/(m2 a) and 17520 kg/(m2 a) as yearly rates.
TEST(WeatherCase, SummaryGivesYearlyRatesOfWhatTheSurfaceReceived) {
  const Grid grid;
  const std::vector<double> none;
  const Case c;
  auto totals = surfaceClimateTotals(0)(c, grid);
  ClimateState climate;
  climate.sides[0].rain = 2.0;
  for (double radiation : {500.0, 300.0}) {
    climate.sides[0].radiation = radiation;
    climate.sides[0].counterRadiation = radiation / 2.0;
    totals->accepted({0.0, 1800.0, grid, none, none, none, climate});
  }
  std::vector<SummaryItem> items;
  totals->summarise(items);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].name, "solar_irradiation_a");
  EXPECT_NEAR(items[0].value, 3504.0, 1e-9);
  EXPECT_NEAR(items[1].value, 17520.0, 1e-9);
  EXPECT_NEAR(items[2].value, 200.0, 1e-12);
}

}  // namespace
}  // namespace tamo1d
