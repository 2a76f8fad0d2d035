// Case checking: a valid case loads with the values the library will get; every kind of
// mistake is reported with the file, the field path and the problem; the bundled
// catalogue loads and cites its sources.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "case_loader.h"
#include "json_fields.h"
#include "material_catalogue.h"

namespace tamo1d {
namespace {

const char* kValidCase = R"({
  "title": "test wall",
  "materials": {
    "board": {
      "density": 400, "porosity": 0.8, "heat_capacity": 1000,
      "storage": {"parameters": {"points": [[0.8, 10]], "free_saturation": 300}},
      "liquid_suction": {"parameters": {"water_absorption_coefficient": 0.05}},
      "conductivity_moisture": {"parameters": {"dry": 0.1, "moisture_supplement": 3}},
      "vapour_resistance": {"constant": 6}
    }
  },
  "layers": [
    {"material": "board", "thickness": 0.1, "cells": 10, "stretching": 1.2},
    {"material": "brick", "thickness": 0.2, "cells": 20, "initial_humidity": 0.6}
  ],
  "initial": {"temperature": 15, "humidity": 0.7},
  "surfaces": {
    "side_a": {"heat_transfer": 17, "absorptivity": 0.6, "emissivity": 0.9, "rain_absorption": 0.7},
    "side_b": {"heat_transfer": 8, "sd": 0.05}
  },
  "climate": {
    "side_a": {"temperature": {"mean": 10, "annual_amplitude": 8, "annual_peak_day": 200},
               "humidity": {"mean": 0.8, "daily_amplitude": 0.1, "daily_peak_hour": 4},
               "rain": {"mean": -1, "cycles": [{"period_hours": 97, "amplitude": 2}], "min": 0}},
    "side_b": {"temperature": 20, "humidity": 0.5}
  },
  "sources": [{"kind": "moisture", "start": 0.0, "thickness": 0.01, "value": 0.001}],
  "time": {"duration_hours": 48, "step_seconds": 3600, "minimum_step_seconds": 60},
  "outputs": {
    "time_series": {"file": "s.csv", "interval_hours": 2,
                    "quantities": ["surface_temperature_a", "interface_humidity_1", "layer_water_2"]},
    "profiles": {"file": "p.csv", "times_hours": [0, 24], "quantities": ["humidity"]}
  }
})";

MaterialCatalogue testCatalogue() {
  return MaterialCatalogue({TAMO1D_TEST_CATALOGUE});
}

// Replaces the first occurrence of `from` in the valid case and returns the error text.
std::string errorOf(const std::string& from, const std::string& to) {
  std::string text = kValidCase;
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
  try {
    parseCase(text, "case.json", testCatalogue());
  } catch (const CaseError& e) {
    EXPECT_EQ(e.file(), "case.json");
    return e.what();
  }
  ADD_FAILURE() << "accepted: " << to;
  return "";
}

TEST(CaseLoader, ValidCaseCarriesTheLibraryArguments) {
  const Case c = parseCase(kValidCase, "dir/case.json", testCatalogue());
  ASSERT_EQ(c.layers.size(), 2u);
  EXPECT_DOUBLE_EQ(c.layers[0].initialHumidity, 0.7);
  EXPECT_DOUBLE_EQ(c.layers[1].initialHumidity, 0.6);
  EXPECT_DOUBLE_EQ(c.layers[1].stretching, 1.0);

  // Storage through one point and the free saturation: kind 1, analytic, n = 2.
  const MaterialDefinition& board = c.materials.at("board");
  const MaterialFunction& storage = board.functions[0];
  EXPECT_EQ(storage.analytic, 1);
  EXPECT_EQ(storage.xs, (std::vector<double>{0.8, 1.0}));
  EXPECT_EQ(storage.ys, (std::vector<double>{10.0, 300.0}));
  EXPECT_EQ(board.functions[1].ys, (std::vector<double>{0.05}));
  EXPECT_FALSE(board.functions[2].given);
  EXPECT_EQ(board.functions[3].ys, (std::vector<double>{0.1, 3.0}));
  // A constant resistance factor becomes a two-row table.
  EXPECT_EQ(board.functions[5].analytic, 0);
  EXPECT_EQ(board.functions[5].xs, (std::vector<double>{0.0, 1.0}));
  EXPECT_EQ(board.functions[5].ys, (std::vector<double>{6.0, 6.0}));

  EXPECT_DOUBLE_EQ(c.surfaces[1].sd, 0.05);
  EXPECT_DOUBLE_EQ(c.surfaces[0].rainAbsorption, 0.7);
  EXPECT_DOUBLE_EQ(c.climate[0]->at(4800.0).temperature, 18.0);
  EXPECT_DOUBLE_EQ(c.climate[0]->at(97.0 / 2.0).rain, 0.0);  // clipped at the trough
  EXPECT_DOUBLE_EQ(c.climate[1]->at(1.0).temperature, 20.0);
  EXPECT_DOUBLE_EQ(c.pressure.at(0.0), 101325.0);
  ASSERT_EQ(c.sources.size(), 1u);
  EXPECT_EQ(c.sources[0].type, 1);
  EXPECT_DOUBLE_EQ(c.time.duration, 48.0 * 3600.0);
  EXPECT_DOUBLE_EQ(c.series.interval, 7200.0);
  EXPECT_EQ(c.profiles.times, (std::vector<double>{0.0, 86400.0}));
}

TEST(CaseLoader, MistakesNameTheFieldAndTheProblem) {
  struct Mistake {
    const char* from;
    const char* to;
    const char* expected;  // part of the message
  };
  const Mistake mistakes[] = {
      {"\"title\"", "\"titel\"", "field 'titel': unknown field"},
      {"\"parameters\": {\"dry\": 0.1, \"moisture_supplement\": 3}",
       "\"table\": [[0, 0.1], [0, 0.5]]",
       "conductivity_moisture.table[1]': water content values must increase strictly"},
      {"\"parameters\": {\"dry\": 0.1, \"moisture_supplement\": 3}",
       "\"table\": [[0, 0.1], [1000.5, 0.5]]", "water content 1000.5 lies outside [0, 1000]"},
      {"\"cells\": 10", "\"cells\": 10.5", "field 'layers[0].cells': must be a whole number"},
      {"\"cells\": 10", "\"cells\": 0", "field 'layers[0].cells': value 0 lies outside"},
      {"\"thickness\": 0.1,", "\"thickness\": \"thick\",",
       "layers[0].thickness': must be a number"},
      {"\"material\": \"brick\"", "\"material\": \"granite\"",
       "'layers[1].material': \"granite\" is neither defined"},
      {"\"heat_transfer\": 8", "\"heat_transfer\": -8", "surfaces.side_b.heat_transfer"},
      {"\"free_saturation\": 300", "\"free_saturation\": 900",
       "materials.board.storage.parameters.free_saturation"},
      {"[[0.8, 10]]", "[[1.2, 10]]", "relative humidity must lie strictly between 0 and 1"},
      {"\"constant\": 6", "\"constant\": 6, \"table\": [[0, 6]]", "give either \"table\""},
      {"\"humidity\": 0.5}", "\"humidity\": 1.5}", "climate.side_b.humidity"},
      {"\"annual_amplitude\": 8", "\"annual_amplitude\": 80",
       "mean plus the amplitudes reaches 90, above 80; add \"max\" to clip"},
      {"\"daily_amplitude\": 0.1", "\"daily_amplitude\": 0.85",
       "mean minus the amplitudes reaches -0.05, below 0; add \"min\" to clip"},
      {"\"layer_water_2\"", "\"layer_water_3\"", "the number must be 1..2"},
      {"\"interface_humidity_1\"", "\"interface_humidty_1\"", "is not a known quantity"},
      {"\"layer_water_2\"", "\"layer_water_2x\"", "\"layer_water_2x\": the number must be 1..2"},
      {"\"interval_hours\": 2", "\"interval_hours\": 1.5", "whole multiple of time.step_seconds"},
      {"\"duration_hours\": 48", "\"duration_hours\": 48.5", "whole number of steps"},
      {"\"minimum_step_seconds\": 60", "\"minimum_step_seconds\": 7200", "must not exceed"},
      {"\"times_hours\": [0, 24]", "\"times_hours\": [24, 0]", "times must increase strictly"},
      {"\"kind\": \"moisture\"", "\"kind\": \"steam\"", "\"steam\" is not one of"},
      {"\"side_b\": {\"temperature\": 20, \"humidity\": 0.5}", "\"side_b\": {\"temperature\": 20}",
       "climate.side_b.humidity': is required but missing"},
  };
  EXPECT_EQ(editDistance("kitten", "sitting"), 3u);  // the classic Levenshtein example
  EXPECT_EQ(editDistance("thicknes", "thickness"), 1u);
  for (const Mistake& m : mistakes) {
    const std::string message = errorOf(m.from, m.to);
    EXPECT_NE(message.find(m.expected), std::string::npos)
        << "for " << m.to << "\n got: " << message;
    EXPECT_EQ(message.rfind("case.json", 0), 0u) << message;
  }
}

TEST(CaseLoader, LimitsAtTheirEdges) {
  nlohmann::json c = nlohmann::json::parse(kValidCase);
  c["materials"]["board"]["porosity"] = 1e-6;  // the smallest porosity accepted
  c["materials"]["board"]["storage"] = {{"table", {{0.5, 1e-4}, {0.9, 5e-4}}}};
  EXPECT_NO_THROW(parseCase(c.dump(), "case.json", testCatalogue()));
  c = nlohmann::json::parse(kValidCase);
  const nlohmann::json source = c["sources"][0];
  c["sources"] = nlohmann::json::array();
  for (int i = 0; i < 1000; ++i) c["sources"].push_back(source);
  EXPECT_EQ(parseCase(c.dump(), "case.json", testCatalogue()).sources.size(), 1000u);
  c["sources"].push_back(source);
  EXPECT_THROW(parseCase(c.dump(), "case.json", testCatalogue()), CaseError);
}

TEST(CaseLoader, BundledCatalogueLoadsAndCitesItsSources) {
  const MaterialCatalogue catalogue = testCatalogue();
  const std::vector<std::string> expected = {"aerated_concrete", "brick", "lime_plaster",
                                             "mineral_wool",     "osb",   "vapour_retarder",
                                             "wood_fibre_board"};
  EXPECT_EQ(catalogue.keys(), expected);
  for (const std::string& key : catalogue.keys()) {
    const MaterialDefinition m = catalogue.load(key);
    EXPECT_TRUE(m.functions[0].given) << key;
    EXPECT_TRUE(m.functions[3].given) << key;
    EXPECT_TRUE(m.functions[5].given) << key;
    EXPECT_GT(m.density, 0.0) << key;
  }
  EXPECT_TRUE(catalogue.find("brick").has_value());
  // Keys cannot leave the directory, even towards a file that exists.
  for (const char* key : {"../materials/brick", "./brick", ""})
    EXPECT_FALSE(catalogue.find(key).has_value()) << key;
}

// Every JSON example of the documentation is a case the host accepts (comments included).
TEST(CaseLoader, EveryDocumentedExampleParses) {
  std::ifstream in(std::string(TAMO1D_DOCS) + "/case_format.md");
  std::stringstream text;
  text << in.rdbuf();
  const std::string doc = text.str();
  int examples = 0;
  for (std::size_t at = doc.find("```json"); at != std::string::npos;
       at = doc.find("```json", at + 1)) {
    const std::size_t start = doc.find('\n', at) + 1;
    const std::string example = doc.substr(start, doc.find("```", start) - start);
    EXPECT_NO_THROW(parseCase(example, "example.json", testCatalogue())) << example;
    ++examples;
  }
  EXPECT_GE(examples, 1);
}

}  // namespace
}  // namespace tamo1d
