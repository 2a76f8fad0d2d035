// Climate sources: cosine cycles peak where they are told to, clipping holds, CSV records
// interpolate linearly, repeat with their period and are checked line by line.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>

#include "case_error.h"
#include "climate_signal.h"
#include "csv_climate.h"

namespace tamo1d {
namespace {

std::string writeTemporary(const std::string& name, const std::string& text) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("tamo1d_unit_" + std::to_string(getpid()) + "_" + name);
  std::ofstream(path) << text;
  return path.string();
}

TEST(ClimateSignal, CyclesPeakAtTheirHourAndClip) {
  // Annual cycle peaking on day 200 (hour 4800) plus a daily one peaking at 15 h.
  const Signal s(10.0, {{8760.0, 8.0, 4800.0}, {24.0, 4.0, 15.0}}, -1e9, 1e9);
  // Hour 4815: the annual cycle 15 h after its peak, the daily one at its peak.
  EXPECT_NEAR(s.at(4815.0), 10.0 + 8.0 * std::cos(2 * std::numbers::pi * 15.0 / 8760.0) + 4.0,
              1e-12);
  const Signal annual(10.0, {{8760.0, 8.0, 4800.0}}, -1e9, 1e9);
  EXPECT_NEAR(annual.at(4800.0), 18.0, 1e-12);
  EXPECT_NEAR(annual.at(4800.0 - 4380.0), 2.0, 1e-12);   // half a year before: minimum
  EXPECT_NEAR(annual.at(4800.0 + 8760.0), 18.0, 1e-12);  // the clock runs on past a year
  // Mean over a whole day and year: the cycles cancel.
  double sum = 0.0;
  for (int h = 0; h < 8760; ++h) sum += s.at(h);
  EXPECT_NEAR(sum / 8760.0, 10.0, 1e-9);

  const Signal rain(-1.0, {{24.0, 2.0, 6.0}}, 0.0, 1e9);
  EXPECT_DOUBLE_EQ(rain.at(18.0), 0.0);  // clipped
  EXPECT_DOUBLE_EQ(rain.at(6.0), 1.0);
  EXPECT_DOUBLE_EQ(Signal(3.5).at(1234.0), 3.5);
}

TEST(CsvClimate, InterpolatesRepeatsAndRejectsBadRecords) {
  const std::string path = writeTemporary("climate.csv",
                                          "# comment line\n"
                                          "time [h], temperature [degC], humidity [-], rain\n"
                                          "0, 0.0, 0.5, 0\n"
                                          "1, 2.0, 0.7, 1\n"
                                          "2, 4.0, 0.9, 0\n");
  const CsvClimate plain = CsvClimate::load(path, 0.0);
  EXPECT_TRUE(plain.hasColumn(ClimateColumn::Rain));
  EXPECT_FALSE(plain.hasColumn(ClimateColumn::Pressure));
  EXPECT_DOUBLE_EQ(plain.at(ClimateColumn::Temperature, 1.25), 2.5);
  EXPECT_NEAR(plain.at(ClimateColumn::Humidity, 0.5), 0.6, 1e-15);
  EXPECT_TRUE(plain.covers(0.0, 2.0));
  EXPECT_FALSE(plain.covers(0.0, 2.5));
  EXPECT_EQ(plain.extremes(ClimateColumn::Temperature), std::make_pair(0.0, 4.0));

  // Period 3 h: hour 2.5 lies between the last record (4.0) and the first of the next
  // period (0.0 at hour 3); hour 4.25 repeats hour 1.25.
  const CsvClimate periodic = CsvClimate::load(path, 3.0);
  EXPECT_DOUBLE_EQ(periodic.at(ClimateColumn::Temperature, 2.5), 2.0);
  EXPECT_DOUBLE_EQ(periodic.at(ClimateColumn::Temperature, 4.25), 2.5);
  EXPECT_TRUE(periodic.covers(0.0, 1e6));
  EXPECT_THROW(CsvClimate::load(path, 2.0), CaseError);  // period shorter than the records

  const std::string bad = writeTemporary("bad.csv", "time,temperature\n0,1\n1,x\n");
  try {
    CsvClimate::load(bad, 0.0);
    FAIL() << "a non-numeric value must be rejected";
  } catch (const CaseError& e) {
    EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("\"x\""), std::string::npos) << e.what();
  }
  const std::string backwards = writeTemporary("back.csv", "time,temperature\n1,1\n0,1\n");
  EXPECT_THROW(CsvClimate::load(backwards, 0.0), CaseError);
  const std::string unknown = writeTemporary("unknown.csv", "time,wind\n0,1\n1,1\n");
  EXPECT_THROW(CsvClimate::load(unknown, 0.0), CaseError);
  EXPECT_THROW(CsvClimate::load(path + ".missing", 0.0), CaseError);
  // A unit other than the one the column is read in is refused; a UTF-8 BOM is skipped.
  const std::string fahrenheit =
      writeTemporary("degf.csv", "time [h],temperature [degF]\n0,40\n1,41\n");
  EXPECT_THROW(CsvClimate::load(fahrenheit, 0.0), CaseError);
  const std::string unclosed = writeTemporary("open.csv", "time [h],temperature [degF\n0,1\n1,3\n");
  EXPECT_NO_THROW(CsvClimate::load(unclosed, 0.0));  // no closing bracket: no unit given
  const std::string bom = writeTemporary("bom.csv", "\xEF\xBB\xBFtime [h],temperature\n0,1\n1,3\n");
  EXPECT_DOUBLE_EQ(CsvClimate::load(bom, 0.0).at(ClimateColumn::Temperature, 0.5), 2.0);
}

}  // namespace
}  // namespace tamo1d
