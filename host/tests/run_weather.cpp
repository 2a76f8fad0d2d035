// Bad weather files refused by the program: exit code 2, the file's line and column in the
// message, nothing written.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "run_support.h"

namespace tamo1d::testing {
namespace {

TEST(MalformedWeather, ExitTwoWithLineAndColumnAndNothingWritten) {
  const std::string cases = TAMO1D_EXAMPLE_CASES;
  nlohmann::json c = nlohmann::json::parse(readText(cases + "/masonry_interior_insulation.json"));
  c["weather"]["file"] = "bad.prn";
  c["time"]["duration_hours"] = 2;
  c["outputs"].erase("profiles");
  const std::string good = readText(cases + "/../../data/weather/Vantaa-07.prn");
  struct Bad {
    const char* name;
    std::size_t line;  // 1-based line replaced, 0: the file cut after line 100
    std::string replacement;
    std::string expected;
  };
  const Bad bads[] = {
      {"truncated", 0, "", "bad.prn:100: truncated"},
      {"columns", 50, "  46 2007 1 2 21 1.4 92.7 4.7", "bad.prn:50: expected 13 columns"},
      {"range", 60, "  56 2007 1 3 7 1.0 250.0 2.0 260.0 0.0 0.0 0.0 0.00",
       "bad.prn:60: column 7 (Relative_humidity): value 250"},
      {"time", 70, "  66 2007 1 3 12 1.0 90.0 2.0 260.0 0.0 0.0 0.0 0.00",
       "bad.prn:70: column 5 (Time): time does not increase"},
  };
  for (const Bad& b : bads) {
    const auto dir = scratchDirectory(std::string("weather_") + b.name);
    std::istringstream in(good);
    std::ostringstream out;
    std::string line;
    for (std::size_t n = 1; std::getline(in, line); ++n) {
      if (b.line == 0 && n > 100) break;
      out << (n == b.line ? b.replacement : line) << '\n';
    }
    writeText(dir / "bad.prn", out.str());
    writeText(dir / "case.json", c.dump());
    const RunResult r = runTamo1d(dir, {"case.json"});
    EXPECT_EQ(r.exitCode, 2) << b.name << ": " << r.err;
    EXPECT_NE(r.err.find("weather.file"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(b.expected), std::string::npos) << b.name << ": " << r.err;
    EXPECT_EQ(entryCount(dir), 2u) << b.name << ": an output file was written";
  }
}

}  // namespace
}  // namespace tamo1d::testing
