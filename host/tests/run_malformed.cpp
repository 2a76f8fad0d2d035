// The program's behaviour on bad input: exit code 2, a message that names the file, the
// field and the problem, and no output file; never a crash, whatever the bytes.
#include <gtest/gtest.h>

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
  "outputs": {"time_series": {"file": "series.csv", "quantities": ["total_water"]},
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
      {"unknown_field",
       replaced("\"title\"", "\"tilte\""),
       {"case.json", "'tilte'", "unknown field"}},
      {"misspelt_required_field",
       replaced("\"thickness\": 0.1", "\"thicknes\": 0.1"),
       {"'layers[0].thicknes'", "unknown field", "did you mean \"thickness\""}},
      {"negative_thickness",
       replaced("\"thickness\": 0.1", "\"thickness\": -0.1"),
       {"'layers[0].thickness'", "-0.1", "outside"}},
      {"wrong_type",
       replaced("\"cells\": 10", "\"cells\": \"ten\""),
       {"'layers[0].cells'", "whole number", "a string"}},
      {"missing_climate_file",
       replaced("{\"temperature\": 5, \"humidity\": 0.8}", "{\"csv\": \"nowhere.csv\"}"),
       {"nowhere.csv", "cannot open"}},
      {"unknown_material",
       replaced("\"brick\"", "\"marble\""),
       {"'layers[0].material'", "\"marble\"", "catalogue"}},
      {"bad_quantity",
       replaced("[\"total_water\"]", "[\"total_waters\"]"),
       {"'outputs.time_series.quantities[0]'", "not a known quantity"}},
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

TEST(MalformedCase, TruncatedAndMangledFilesNeverCrash) {
  const std::string text = validCase();
  const auto dir = scratchDirectory("truncated");
  for (std::size_t cut = 0; cut < text.size(); cut += 23) {
    writeText(dir / "case.json", text.substr(0, cut));
    const RunResult r = runTamo1d(dir, {"case.json"});
    EXPECT_EQ(r.exitCode, 2) << "cut at " << cut << ": " << r.err;
    EXPECT_EQ(entryCount(dir), 1u);
  }
  // Numbers replaced by extreme values: rejected with 2 or run to the end, never a crash.
  const char* extremes[] = {"1e308", "-1e308", "0", "1e-300", "123456789"};
  std::size_t position = 0;
  int variant = 0;
  while ((position = text.find_first_of("0123456789", position)) != std::string::npos) {
    const std::size_t end = text.find_first_not_of("0123456789.e-", position);
    std::string mangled = text;
    mangled.replace(position, end - position, extremes[variant++ % 5]);
    writeText(dir / "case.json", mangled);
    const RunResult r = runTamo1d(dir, {"--quiet", "case.json"});
    EXPECT_TRUE(r.exitCode == 0 || r.exitCode == 1 || r.exitCode == 2)
        << "exit " << r.exitCode << " for\n"
        << mangled << "\n"
        << r.err;
    if (r.exitCode == 2) EXPECT_LE(entryCount(dir), 1u);
    std::filesystem::remove(dir / "series.csv");
    std::filesystem::remove(dir / "profiles.csv");
    position = end;
  }
}

TEST(Cli, OptionsAndBundledCasesCheckOut) {
  const auto dir = scratchDirectory("cli");
  EXPECT_EQ(runTamo1d(dir, {"--help"}).exitCode, 0);
  RunResult r = runTamo1d(dir, {"--frobnicate"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("unknown option --frobnicate"), std::string::npos);
  EXPECT_EQ(runTamo1d(dir, {}).exitCode, 2);
  r = runTamo1d(dir, {"--list-materials"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("mineral_wool"), std::string::npos) << r.out;
  for (const char* name :
       {"masonry_interior_insulation.json", "masonry_interior_insulation_north.json",
        "timber_frame_wall.json", "flat_roof.json"}) {
    r = runTamo1d(dir, {"--check", std::string(TAMO1D_EXAMPLE_CASES) + "/" + name});
    EXPECT_EQ(r.exitCode, 0) << name << ": " << r.err;
  }
  EXPECT_EQ(entryCount(dir), 0u);

  // A valid case writes both outputs with headers and units.
  writeText(dir / "case.json", validCase());
  r = runTamo1d(dir, {"--no-progress", "case.json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("completed"), std::string::npos) << r.out;
  const Table series = readCsv(dir / "series.csv");
  EXPECT_EQ(series.rows, 2u);
  EXPECT_EQ(readText(dir / "series.csv").rfind("time [h],total_water [kg/m2]\n", 0), 0u);
  const Table profiles = readCsv(dir / "profiles.csv");
  EXPECT_EQ(profiles.rows, 10u);  // one row per cell
}

}  // namespace
}  // namespace tamo1d::testing
