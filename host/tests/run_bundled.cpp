// The bundled example cases: each runs (over a shortened period) to the end with physical
// results. (Their grids are too small for a team of threads: see the library's thread tests.)
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include "run_support.h"

namespace tamo1d::testing {
namespace {

using nlohmann::json;

// The bundled case with its duration cut to `hours` and climate files made absolute.
json shortened(const std::string& name, double hours) {
  const std::string dir = TAMO1D_EXAMPLE_CASES;
  json c = json::parse(readText(dir + "/" + name));
  c["time"]["duration_hours"] = hours;
  if (c.contains("weather")) {
    c["weather"]["file"] = dir + "/" + c["weather"]["file"].get<std::string>();
  }
  for (const char* side : {"side_a", "side_b"}) {
    if (c["climate"][side].contains("csv")) {
      c["climate"][side]["csv"] = dir + "/" + c["climate"][side]["csv"].get<std::string>();
    }
  }
  json times = json::array();
  for (const auto& t : c["outputs"]["profiles"]["times_hours"]) {
    if (t.get<double>() <= hours) times.push_back(t);
  }
  times.push_back(hours);
  c["outputs"]["profiles"]["times_hours"] = times;
  return c;
}

TEST(Bundled, CasesRunWithPhysicalResults) {
  for (const char* name :
       {"masonry_interior_insulation.json", "masonry_interior_insulation_north.json",
        "timber_frame_wall.json", "flat_roof.json"}) {
    const json c = shortened(name, 24 * 21);
    const auto dir = scratchDirectory(std::string("bundled_") + name);
    writeText(dir / "case.json", c.dump(2));
    const RunResult r = runTamo1d(dir, {"--no-progress", "case.json"}, "OMP_NUM_THREADS=1");
    ASSERT_EQ(r.exitCode, 0) << name << r.err << r.out;
    EXPECT_NE(r.out.find("0 accepted without convergence"), std::string::npos) << r.out;
    const Table series = readCsv(dir / c["outputs"]["time_series"]["file"].get<std::string>());
    ASSERT_GT(series.rows, 0u) << name;
    // Finite, and temperature, humidity, water and the sky's long-wave radiation on side A
    // (only where a weather file gives it) within their physical ranges.
    const std::pair<const char*, std::pair<double, double>> ranges[] = {
        {"temperature", {-40.0, 80.0}},
        {"humidity", {0.0, 1.01}},
        {"water", {0.0, 1e9}},
        {"counter_radiation_a", {100.0, 500.0}}};
    for (const auto& [column, values] : series.columns) {
      for (double v : values) {
        ASSERT_TRUE(std::isfinite(v)) << name << " " << column;
        for (const auto& [word, range] : ranges) {
          if (column.find(word) == std::string::npos) continue;
          EXPECT_GE(v, range.first) << name << " " << column;
          EXPECT_LE(v, range.second) << name << " " << column;
        }
      }
    }
  }
}

}  // namespace
}  // namespace tamo1d::testing
