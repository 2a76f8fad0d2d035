#include "weather/fmi_test_year_reader.h"

#include <cmath>

#include "weather/calendar.h"
#include "weather/series_completion.h"
#include "weather/text_fields.h"
#include "weather/weather_file_error.h"

namespace tamo1d::weather {
namespace {

constexpr int kHeaderLines = 4;
constexpr int kColumns = 13;

}  // namespace

WeatherSeries readFmiTestYear(const std::string& path, const WeatherSite& site) {
  return parseFmiTestYear(readLines(path), path, site);
}

WeatherSeries parseFmiTestYear(const std::vector<std::string>& lines, const std::string& name,
                               const WeatherSite& site) {
  WeatherSeries s;
  s.site = site;
  if (std::isnan(s.site.timeZone)) s.site.timeZone = 2.0;
  int firstYear = 0;
  int lastYear = 0;
  for (std::size_t i = kHeaderLines; i < lines.size(); ++i) {
    if (lines[i].find_first_not_of(" \t") == std::string::npos) continue;
    const TextRow row(name, static_cast<int>(i) + 1, lines[i], ' ');
    row.requireColumns(kColumns);
    const double step = row.number(1, "Timestep");
    const int year = static_cast<int>(row.number(2, "Year"));
    const int month = static_cast<int>(row.number(3, "Month"));
    row.requireRange(month, 3, "Month", 1, 12);
    if (s.size() == 0) {
      firstYear = year;
      s.year = year;
      s.leapYear = isLeapYear(year);
    }
    lastYear = year;
    const bool leap = isLeapYear(year);
    const int day = static_cast<int>(row.number(4, "Day"));
    row.requireRange(day, 4, "Day", 1, daysInMonth(month, leap));
    const int hour = static_cast<int>(row.number(5, "Time"));
    row.requireRange(hour, 5, "Time", 0, 23);
    double yearStart = 0.0;  // hours from 1 January of the first year to that of `year`
    for (int y = firstYear; y < year; ++y) yearStart += isLeapYear(y) ? 8784.0 : 8760.0;
    double stamp = yearStart + 24.0 * dayOfYear(month, day, leap) + hour;
    // The published files date the hours 0 and 1 of every day but the first by the day
    // before (26 rows dated 1 January, 22 dated 31 December); the running step and the
    // hour are right, so such a row is the hour after its predecessor.
    if (hour <= 1 && s.size() > 0 && stamp + 24.0 == s.hour.back() + 1.0) stamp += 24.0;
    if (s.size() > 0 && stamp != s.hour.back() + 1.0) {
      row.fail(5, "Time",
               stamp <= s.hour.back()
                   ? "time does not increase from the previous row"
                   : "rows missing before this one (time jumps by " +
                         std::to_string(static_cast<int>(stamp - s.hour.back())) + " h)");
    }
    if (step != static_cast<double>(s.size() + 1)) {
      row.fail(1, "Timestep", "expected step " + std::to_string(s.size() + 1));
    }
    s.appendRecord(stamp);
    auto value = [&](int column, const char* label, double lo, double hi) {
      const double v = row.number(column, label);
      row.requireRange(v, column, label, lo, hi);
      return v;
    };
    s.airTemperature.back() = value(6, "Temperature", -60.0, 50.0);
    s.relativeHumidity.back() = value(7, "Relative_humidity", 0.0, 110.0) / 100.0;
    s.windSpeed.back() = value(8, "Wind_speed", 0.0, 60.0);
    s.windDirection.back() = value(9, "Wind_direction", 0.0, 360.0);
    s.globalHorizontal.back() = value(10, "Global_horisontal_radiation", 0.0, 1500.0);
    s.diffuseHorizontal.back() = value(11, "Diffuse_horisontal_radiation", 0.0, 1000.0);
    s.directNormal.back() = value(12, "Direct_normal_solar_radiation", 0.0, 1500.0);
    s.precipitation.back() = value(13, "Precipitation", 0.0, 200.0);
  }
  if (s.size() == 0) {
    throw WeatherFileError(name, static_cast<int>(lines.size()), 0, "",
                           "truncated: no data rows after the four header lines");
  }
  // Whole calendar years: 1 January 0 h of the first year to 31 December 23 h of the last.
  double expected = 0.0;
  for (int y = firstYear; y <= lastYear; ++y) expected += isLeapYear(y) ? 8784.0 : 8760.0;
  if (s.hour.front() != 0.0 || static_cast<double>(s.size()) != expected) {
    throw WeatherFileError(name, static_cast<int>(lines.size()), 0, "",
                           "truncated: a test year runs from 1 January 0 h to 31 December 23 h, "
                           "the file has " +
                               std::to_string(s.size()) + " rows");
  }
  completeSeries(s, name);
  return s;
}

}  // namespace tamo1d::weather
