// The program's behaviour on bad input: exit code 2, a message that names the file, the
// field and the problem, and no output file; never a crash, whatever the bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "run_support.h"

namespace tamo1d::testing {
namespace {

// A small valid case writing series.csv and profiles.csv.
std::string validCase() {
  return R"({
  "title": "small",
  "layers": [{"material": "brick", "thickness": 0.1, "cells": 10, "stretching": 1.2}],
  "initial": {"temperature": 15, "humidity": 0.6},
  "surfaces": {"side_a": {"heat_transfer": 17}, "side_b": {"heat_transfer": 8}},
  "climate": {"side_a": {"temperature": 5, "humidity": 0.8}, "side_b": {"temperature": 20, "humidity": 0.5}},
  "time": {"duration_hours": 2, "step_seconds": 3600},
  "outputs": {"time_series": {"file": "series.csv", "quantities": ["total_water", "surface_temperature_b"]},
              "profiles": {"file": "profiles.csv", "times_hours": [2], "quantities": ["humidity"]}}
})";
}

struct BadCase {
  const char* name;
  std::string text;
  std::vector<std::string> expected;  // parts of the message
};

std::string replaced(const std::string& from, const std::string& to) {
  std::string text = validCase();
  text.replace(text.find(from), from.size(), to);
  return text;
}

TEST(MalformedCase, ExitTwoWithFileFieldAndProblemAndNothingWritten) {
  const BadCase cases[] = {
      {"syntax",
       replaced("\"title\": \"small\",", "\"title\": \"small\""),
       {"case.json", "is not valid JSON"}},
      {"misspelt_required_field",
       replaced("\"thickness\": 0.1", "\"thicknes\": 0.1"),
       {"'layers[0].thicknes'", "unknown field", "did you mean \"thickness\""}},
      {"missing_climate_file",
       replaced("{\"temperature\": 5, \"humidity\": 0.8}", "{\"csv\": \"nowhere.csv\"}"),
       {"nowhere.csv", "cannot open"}},
      {"empty", "", {"case.json", "is not valid JSON"}},
      {"not_an_object", "[1, 2, 3]", {"case.json", "must be a JSON object"}},
      {"binary", std::string("\x00\xff\xfe{\"a\":", 7), {"case.json", "is not valid JSON"}},
  };
  for (const BadCase& c : cases) {
    const auto dir = scratchDirectory(std::string("bad_") + c.name);
    writeText(dir / "case.json", c.text);
    const RunResult r = runTamo1d(dir, {"case.json"});
    EXPECT_EQ(r.exitCode, 2) << c.name << ": " << r.err;
    for (const std::string& part : c.expected) {
      EXPECT_NE(r.err.find(part), std::string::npos)
          << c.name << " lacks " << part << ": " << r.err;
    }
    EXPECT_EQ(entryCount(dir), 1u) << c.name << ": an output file was written";
    EXPECT_TRUE(r.out.empty()) << c.name << ": " << r.out;
  }

  // A missing case file, and an output directory that does not exist.
  const auto dir = scratchDirectory("bad_paths");
  RunResult r = runTamo1d(dir, {"absent.json"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("absent.json: cannot open"), std::string::npos) << r.err;
  EXPECT_EQ(entryCount(dir), 0u);
}

TEST(CliOutputs, MissingFolderIsCreatedAndARefusedRunKeepsEarlierResults) {
  const auto dir = scratchDirectory("output_paths");
  writeText(dir / "case.json", validCase());
  RunResult r = runTamo1d(dir, {"-q", "--output-dir", "new/dir", "case.json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string earlier = readText(dir / "new/dir/series.csv");
  EXPECT_NE(earlier.find("total_water"), std::string::npos);
  // The profile file now lies in a folder that is a file: refused by --check and by a run
  // alike, with the system's reason, and the earlier series stays as it was.
  writeText(dir / "blocked", "a file");
  std::string text = validCase();
  text.replace(text.find("\"profiles.csv\""), 14, "\"../../blocked/p.csv\"");
  writeText(dir / "case.json", text);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--check", "-o", "new/dir", "case.json"},
        std::vector<std::string>{"-o", "new/dir", "case.json"}}) {
    r = runTamo1d(dir, args);
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_NE(r.err.find("outputs.profiles.file"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Not a directory"), std::string::npos) << r.err;
    EXPECT_EQ(readText(dir / "new/dir/series.csv"), earlier);
  }
}

TEST(Cli, OptionsAndAValidRun) {
  const auto dir = scratchDirectory("cli");
  EXPECT_EQ(runTamo1d(dir, {"--help"}).exitCode, 0);
  RunResult r = runTamo1d(dir, {"--frobnicate"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("unknown option --frobnicate"), std::string::npos);
  EXPECT_EQ(runTamo1d(dir, {}).exitCode, 2);
  r = runTamo1d(dir, {"--list-materials"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("mineral_wool"), std::string::npos) << r.out;
  EXPECT_EQ(entryCount(dir), 0u);

  // A valid case writes both outputs with headers and units; the summary's total water and
  // surface B extremes are those of the series (one row per step, after the start at 15 degC).
  writeText(dir / "case.json", validCase());
  r = runTamo1d(dir, {"--no-progress", "case.json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const Table series = readCsv(dir / "series.csv");
  ASSERT_EQ(series.rows, 2u);
  EXPECT_EQ(readText(dir / "series.csv").rfind("time [h],total_water [kg/m2],surface_t", 0), 0u);
  EXPECT_EQ(readCsv(dir / "profiles.csv").rows, 10u);  // one row per cell
  const std::vector<double>& tb = series.at("surface_temperature_b");
  char expected[2][96];
  std::snprintf(expected[0], 96, " -> %.4f kg/m2\n", series.at("total_water")[1]);
  std::snprintf(expected[1], 96, "temperature %.2f .. %.2f degC", std::min(15.0, tb[0]),
                std::max({15.0, tb[0], tb[1]}));
  for (const char* part : expected) EXPECT_NE(r.out.find(part), std::string::npos) << part << r.out;
}

}  // namespace
}  // namespace tamo1d::testing
