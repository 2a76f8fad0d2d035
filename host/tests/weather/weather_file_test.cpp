// Weather readers: an EPW file written here (missing-value codes, leap day, hour
// convention, rain from present weather codes), the bundled test years, and malformed files
// of both formats refused with line and column.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "weather/epw_reader.h"
#include "weather/text_fields.h"
#include "weather/weather_file_error.h"

namespace tamo1d::weather {
namespace {

// 28 February to 1 March 2008 (a leap year): 72 hourly rows. Temperature 0.1 k degC in row
// k, dew point 5 K lower; liquid precipitation missing throughout.
std::vector<std::string> smallEpw() {
  std::vector<std::string> lines = {"LOCATION,Testville,-,FIN,test,000000,60.20,24.90,2.0,20.0",
                                    "DESIGN CONDITIONS,0",
                                    "TYPICAL/EXTREME PERIODS,0",
                                    "GROUND TEMPERATURES,0",
                                    "HOLIDAYS/DAYLIGHT SAVINGS,No,0,0,0",
                                    "COMMENTS 1,written by the test",
                                    "COMMENTS 2,",
                                    "DATA PERIODS,1,1,Data,Thursday, 2/28, 3/ 1"};
  for (int k = 0; k < 72; ++k) {
    const int month = k < 48 ? 2 : 3;
    const int day = k < 24 ? 28 : (k < 48 ? 29 : 1);
    const double t = 0.1 * k;
    const std::string codes = k == 30 ? "919999999" : "999999999";
    lines.push_back("2008," + std::to_string(month) + "," + std::to_string(day) + "," +
                    std::to_string(k % 24 + 1) + ",60,?," + std::to_string(t) + "," +
                    std::to_string(t - 5.0) +
                    ",70,101300,0,0,9999,0,0,0,0,0,0,0,180,3.0,5,5,9999,"
                    "99999,0," +
                    codes + ",0,0,0,88,0.2,999,99");
  }
  return lines;
}

std::string replaceField(const std::string& line, int column, char separator,
                         const std::string& value) {
  const std::string file;
  const TextRow row(file, 0, line, separator);
  std::ostringstream out;
  for (int c = 1; c <= row.columns(); ++c) {
    if (c > 1) out << separator;
    out << (c == column ? std::string_view(value) : row.field(c));
  }
  return out.str();
}

void setField(std::vector<std::string>& lines, int row, int column, const std::string& value) {
  lines[8 + row] = replaceField(lines[8 + row], column, ',', value);
}

TEST(EpwReader, MissingCodesLeapDayHourConventionAndRainFromWeatherCodes) {
  auto lines = smallEpw();
  setField(lines, 10, 7, "99.9");  // dry bulb missing: interpolated between 0.9 and 1.1
  setField(lines, 20, 9, "999");   // relative humidity missing: from dew point -3 at 2 degC
  setField(lines, 15, 8, "99.9");  // dew point missing: from 70 % at 1.5 degC
  // Written as a file with a byte order mark and CRLF line ends.
  const std::string path = ::testing::TempDir() + "small_" + std::to_string(getpid()) + ".epw";
  {
    std::ofstream out(path, std::ios::binary);
    out << "\xEF\xBB\xBF";
    for (const auto& line : lines) out << line << "\r\n";
  }
  const WeatherSeries s = readEpw(path);

  ASSERT_EQ(s.size(), 72u);
  EXPECT_TRUE(s.leapYear);
  EXPECT_EQ(s.year, 2008);
  // Hour 1 of 28 February ends at 01:00: 58 days and 1 hour after 1 January 00:00.
  EXPECT_EQ(s.hour.front(), 58.0 * 24.0 + 1.0);
  EXPECT_EQ(s.hour[48], 60.0 * 24.0 + 1.0);  // 1 March follows 29 February
  EXPECT_EQ(s.hour.back(), 61.0 * 24.0);
  EXPECT_NEAR(s.airTemperature[10], 1.0, 1e-12);
  // EN ISO 13788 saturation pressures: 610.5 exp(21.875 (-3)/262.5) / 610.5 exp(17.269 2/239.3).
  EXPECT_NEAR(s.relativeHumidity[20], 0.674132, 1e-6);
  EXPECT_EQ(s.relativeHumidity[21], 0.70);
  EXPECT_NEAR(s.dewPoint[15], -2.978658, 1e-6);  // 0.7 * 680.45 Pa, over ice
  EXPECT_EQ(s.site.timeZone, 2.0);
  EXPECT_TRUE(std::isnan(s.horizontalInfrared[5]));
  // Moderate rain in the present weather codes of row 30 only.
  EXPECT_EQ(s.precipitation[30], 5.1);
  EXPECT_EQ(s.precipitation[29] + s.precipitation[31], 0.0);
  ASSERT_FALSE(s.warnings.empty());
  std::string all;
  for (const auto& w : s.warnings) all += w + "\n";
  EXPECT_NE(all.find("present weather"), std::string::npos) << all;
  EXPECT_NE(all.find("1 missing values of air temperature"), std::string::npos) << all;
}

TEST(EpwReader, DepthOverSeveralHoursIsSpreadAndNoPrecipitationWarns) {
  auto lines = smallEpw();
  for (int k = 0; k < 72; ++k) {
    setField(lines, k, 27, "9");  // present weather not observed
    setField(lines, k, 34, k == 40 ? "3.0" : "0.0");
    setField(lines, k, 35, k == 40 ? "3" : "1");  // hours the depth was collected over
  }
  const WeatherSeries s = parseEpw(lines, "rain.epw");
  for (int k = 37; k <= 41; ++k) EXPECT_EQ(s.precipitation[k], k >= 38 && k <= 40 ? 1.0 : 0.0) << k;

  for (int k = 0; k < 72; ++k) setField(lines, k, 34, "999");
  const WeatherSeries dry = parseEpw(lines, "dry.epw");
  ASSERT_EQ(dry.warnings.size(), 1u);
  EXPECT_NE(dry.warnings[0].find("no precipitation"), std::string::npos);
}

// Present weather digit 2 (rain) and 3 (drizzle) to the documented rates (mm/h).
TEST(EpwReader, PresentWeatherRainRates) {
  const char* codes[] = {"999999999", "909999999", "949999999", "989999999", "992999999",
                         "993999999", "997999999", "995999999", "99999999"};
  const double rates[] = {0.0, 1.3, 5.1, 10.2, 10.2, 0.15, 0.4, 0.6, 0.0};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(rainRateOfPresentWeather(codes[i]), rates[i]) << codes[i];
}

// Malformed EPW files (the test years' are refused through the program, run_weather.cpp).
TEST(WeatherFiles, MalformedFilesAreRefusedWithLineAndColumn) {
  struct Malformed {
    int row, column;          // 0-based data row, field (0: the whole line); row -1: cut
    std::string replacement;  // the line or the field
    int line, expectedColumn;
    const char* text;
  };
  for (const Malformed& c :
       {Malformed{-1, 0, "", 77, 0, "truncated"},
        Malformed{12, 0, "2008,2,28,13,60,?,1.2", 21, 0, "expected 35 columns"},
        Malformed{5, 9, "150", 14, 9, "outside 0 .. 110"},
        Malformed{30, 4, "6", 39, 4, "does not increase"},
        Malformed{31, 4, "9", 40, 4, "time jumps by 2 h"}}) {
    std::vector<std::string> lines = smallEpw();
    if (c.row < 0) lines.resize(lines.size() - 3);
    if (c.row >= 0 && c.column == 0) lines[8 + c.row] = c.replacement;
    if (c.column > 0) setField(lines, c.row, c.column, c.replacement);
    try {
      parseEpw(lines, "bad.epw");
      ADD_FAILURE() << c.text << ": accepted";
    } catch (const WeatherFileError& e) {
      std::ostringstream location;
      location << "bad.epw:" << c.line << ':';
      EXPECT_EQ(e.line(), c.line) << e.what();
      EXPECT_EQ(e.column(), c.expectedColumn) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.text), std::string::npos) << e.what();
      EXPECT_EQ(std::string(e.what()).rfind(location.str(), 0), 0u) << e.what();
    }
  }
}

}  // namespace
}  // namespace tamo1d::weather
