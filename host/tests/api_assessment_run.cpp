// The assessment section run through the host's C interface: monitors sit in the right
// cells and record every accepted step, and the repeated year stops at the first year whose
// change of the total water is within the tolerance.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "tamo1dhost.h"

namespace {

// A wet aerated concrete wall drying at 20 degC / 50 % on both sides; the "year" of the
// equilibrium loop is the case's duration of 10 days.
const char* kDryingWall = R"({
  "layers": [{"material": "aerated_concrete", "thickness": 0.1, "cells": 20},
             {"material": "lime_plaster", "thickness": 0.01, "cells": 6}],
  "initial": {"temperature": 20, "humidity": 0.97},
  "surfaces": {"side_a": {"heat_transfer": 17, "sd": 0}, "side_b": {"heat_transfer": 8, "sd": 0}},
  "climate": {"side_a": {"temperature": 5, "humidity": 0.5},
              "side_b": {"temperature": 20, "humidity": 0.5}},
  "time": {"duration_hours": 240, "step_seconds": 3600},
  "outputs": {"time_series": {"file": "s.csv", "interval_hours": 1,
              "quantities": ["surface_temperature_a", "surface_humidity_b"]}},
  "assessment": {
    "monitors": [{"name": "a", "at": "surface", "side": "a"},
                 {"name": "b", "at": "surface", "side": "b", "mould_limit": 1},
                 {"name": "mid", "at": "depth", "layer": 1, "depth": 0.05}],
    "equilibrium": {"tolerance": 0.05, "max_years": 30}
  }
})";

int tableNamed(const TamoHostRun* run, const std::string& name) {
  for (int t = 0; t < tamoHostTableCount(run); ++t) {
    if (name == tamoHostTableName(run, t)) return t;
  }
  return -1;
}

std::vector<double> column(const TamoHostRun* run, int table, const char* name) {
  std::vector<double> v(static_cast<std::size_t>(tamoHostRowCount(run, table)));
  int32_t count = 0;
  EXPECT_EQ(tamoHostGetColumn(run, table, name, v.data(), static_cast<int32_t>(v.size()), &count),
            TAMO_HOST_OK)
      << name;
  return v;
}

TEST(AssessmentRun, MonitorsAndEquilibriumOfADryingWall) {
  TamoHostRun* run = nullptr;
  ASSERT_EQ(tamoHostOpenText(kDryingWall, "drying", TAMO1D_TEST_CATALOGUE, "", &run), 0)
      << tamoHostMessage(run);
  ASSERT_EQ(tamoHostAdvance(run, 0, nullptr, nullptr), 0) << tamoHostMessage(run);

  // The loop stops at the first year k with |W_k - W_k-1| <= 0.05 W_k-1, before the maximum.
  const int years = tableNamed(run, "equilibrium");
  ASSERT_GE(years, TAMO_HOST_OBSERVER_TABLES);
  const std::vector<double> water = column(run, years, "total_water");
  std::size_t stop = 1;
  while (stop < water.size() && std::fabs(water[stop] - water[stop - 1]) > 0.05 * water[stop - 1])
    ++stop;
  ASSERT_LT(stop, 30u);
  EXPECT_EQ(water.size(), stop + 1);
  EXPECT_LT(water.back(), water.front());  // drying
  EXPECT_DOUBLE_EQ(tamoHostSimulated(run), 240.0 * 3600.0 * static_cast<double>(stop));

  // Surface monitors hold the surface cells of the series at its rows; a row per step.
  const int series = TAMO_HOST_SERIES;
  const std::vector<double> seriesA = column(run, series, "surface_temperature_a");
  const std::vector<double> seriesB = column(run, series, "surface_humidity_b");
  const std::vector<double> monitorA = column(run, tableNamed(run, "monitor_a"), "temperature");
  const std::vector<double> monitorB = column(run, tableNamed(run, "monitor_b"), "humidity");
  ASSERT_EQ(monitorA.size(), seriesA.size() + 1);  // + the start state; no halved steps here
  for (std::size_t i = 0; i < seriesA.size(); i += 97) {
    EXPECT_EQ(monitorA[i + 1], seriesA[i]);
    EXPECT_EQ(monitorB[i + 1], seriesB[i]);
  }

  // Column names and units by index, none outside the table; no summary item past the last.
  const int32_t columns = tamoHostColumnCount(run, series);
  ASSERT_EQ(columns, 3);  // time and the two quantities
  EXPECT_STREQ(tamoHostColumnName(run, series, 1), "surface_temperature_a");
  EXPECT_STREQ(tamoHostColumnUnit(run, series, 1), "degC");
  for (int32_t c : {-1, columns}) {
    EXPECT_EQ(tamoHostColumnName(run, series, c), nullptr);
    EXPECT_EQ(tamoHostColumnUnit(run, series, c), nullptr);
  }
  EXPECT_NE(tamoHostSummaryItem(run, tamoHostSummaryCount(run), nullptr, nullptr, nullptr, nullptr,
                                nullptr),
            0);
  int32_t verdicts = 0;
  for (int32_t i = 0; i < tamoHostSummaryCount(run); ++i) {
    const char *name = nullptr, *verdict = nullptr;
    double limit = 0.0;
    tamoHostSummaryItem(run, i, &name, nullptr, nullptr, &limit, &verdict);
    verdicts += verdict[0] != '\0';
    EXPECT_TRUE(std::string(name) != "mould_index_max_b" || limit == 1.0);
    EXPECT_TRUE(std::string(name).rfind("mould_index_max_", 0) != 0 || verdict[0] == 'p') << name;
    if (std::string(name) == "equilibrium_change") {
      EXPECT_NE(std::string(verdict).find("pass"), std::string::npos) << verdict;
      EXPECT_NE(std::string(verdict).find("drying"), std::string::npos) << verdict;
    }
  }
  EXPECT_EQ(verdicts, 3 * 3 + 1);  // mould, 30-day mean, freeze-thaw per monitor; equilibrium
  tamoHostClose(run);
}

// A frozen wet board at -10 degC with the storage table w(0.9) = 50, w(1) = 150 kg/m3: the
// frost cap 1 + 0.01 T = 0.9 leaves 50 kg/m3 unfrozen, so the start state (humidity 1) holds
// 150 - 50 = 100 kg/m3 of ice; the wood moisture is w / 400; no mould grows below 0 degC.
TEST(AssessmentRun, IceContentAndWoodMoistureAtAFrozenSurface) {
  const char* kFrozen = R"({
    "materials": {"wet_board": {"name": "test board", "density": 400, "porosity": 0.2,
      "heat_capacity": 1500, "storage": {"table": [[0.5, 10], [0.9, 50], [1.0, 150]]},
      "conductivity_moisture": {"parameters": {"dry": 0.1}}, "vapour_resistance": {"constant": 5}}},
    "layers": [{"material": "brick", "thickness": 0.1, "cells": 10},
               {"material": "wet_board", "thickness": 0.02, "cells": 6}],
    "initial": {"temperature": -10, "humidity": 1.0},
    "surfaces": {"side_a": {"heat_transfer": 17, "sd": 0}, "side_b": {"heat_transfer": 8, "sd": 0}},
    "climate": {"side_a": {"temperature": -10, "humidity": 0.8},
                "side_b": {"temperature": -10, "humidity": 0.8}},
    "time": {"duration_hours": 12, "step_seconds": 3600}, "outputs": {},
    "assessment": {"monitors": [{"name": "cold", "at": "surface", "side": "b", "wood": true}]}
  })";
  TamoHostRun* run = nullptr;
  ASSERT_EQ(tamoHostOpenText(kFrozen, "frozen", TAMO1D_TEST_CATALOGUE, "", &run), 0);
  ASSERT_EQ(tamoHostAdvance(run, 0, nullptr, nullptr), 0) << tamoHostMessage(run);
  const int t = tableNamed(run, "monitor_cold");
  const std::vector<double> water = column(run, t, "water_content");
  const std::vector<double> ice = column(run, t, "ice_content");
  EXPECT_NEAR(ice[0], 100.0, 1e-9);
  EXPECT_NEAR(water[0], 150.0, 1e-9);
  EXPECT_EQ(column(run, t, "critical_humidity")[0], 1.0);
  std::map<std::string, double> got;
  for (int32_t i = 0; i < tamoHostSummaryCount(run); ++i) {
    const char* name = nullptr;
    tamoHostSummaryItem(run, i, &name, &got[""], nullptr, nullptr, nullptr);
    got[name] = got[""];
  }
  EXPECT_EQ(got["wood_moisture_max_cold"], *std::max_element(water.begin() + 1, water.end()) / 400);
  EXPECT_EQ(got["ice_max_cold"], *std::max_element(ice.begin() + 1, ice.end()));
  EXPECT_EQ(got["mould_index_max_cold"], 0.0);
  tamoHostClose(run);
}

}  // namespace
