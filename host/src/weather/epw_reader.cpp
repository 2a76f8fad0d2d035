#include "weather/epw_reader.h"

#include <cmath>
#include <string_view>

#include "weather/calendar.h"
#include "weather/series_completion.h"
#include "weather/text_fields.h"
#include "weather/weather_file_error.h"

namespace tamo1d::weather {
namespace {

constexpr int kHeaderLines = 8;
constexpr int kColumns = 35;

// 1-based field numbers of a data row.
enum Column {
  kYear = 1,
  kMonth = 2,
  kDay = 3,
  kHour = 4,
  kDryBulb = 7,
  kDewPoint = 8,
  kRelHum = 9,
  kPressure = 10,
  kInfrared = 13,
  kGlobal = 14,
  kDirect = 15,
  kDiffuse = 16,
  kWindDir = 21,
  kWindSpeed = 22,
  kOpaqueSky = 24,
  kWeatherObserved = 27,
  kWeatherCodes = 28,
  kPrecipDepth = 34,
  kPrecipHours = 35
};

struct MonthDay {
  int month = 0;
  int day = 0;
};

MonthDay parseMonthDay(const TextRow& row, int column, const char* name) {
  const std::string_view text = row.field(column);
  const auto slash = text.find('/');
  if (slash == std::string_view::npos) row.fail(column, name, "expected month/day");
  const TextRow parts(row.file(), row.line(), text, '/');
  MonthDay date{static_cast<int>(parts.number(1, name)), static_cast<int>(parts.number(2, name))};
  if (date.month < 1 || date.month > 12 || date.day < 1 ||
      date.day > daysInMonth(date.month, true)) {
    row.fail(column, name, "no such date '" + std::string(text) + "'");
  }
  return date;
}

void readLocation(const TextRow& row, WeatherSite& site) {
  if (row.columns() < 10 || row.field(1) != "LOCATION") {
    row.fail(0, nullptr, "the first header line must be LOCATION with 10 fields");
  }
  site.latitude = row.number(7, "latitude");
  site.longitude = row.number(8, "longitude");
  site.timeZone = row.number(9, "time zone");
  site.elevation = row.number(10, "elevation");
  row.requireRange(site.latitude, 7, "latitude", -90.0, 90.0);
  row.requireRange(site.longitude, 8, "longitude", -180.0, 180.0);
  row.requireRange(site.timeZone, 9, "time zone", -12.0, 14.0);
  row.requireRange(site.elevation, 10, "elevation", -1000.0, 9999.9);
}

std::string weatherCodes(std::string_view field) {
  std::string digits;
  for (char c : field) {
    if (c >= '0' && c <= '9') digits += c;
  }
  // A code written as a number loses its leading zeros (0 = thunderstorm in digit 1).
  if (!digits.empty() && digits.size() < 9) digits.insert(0, 9 - digits.size(), '0');
  return digits;
}

}  // namespace

double rainRateOfPresentWeather(const std::string& code) {
  if (code.size() != 9) return 0.0;
  // Digit 2: 0/3/6 light, 1/4/7 moderate, 2/5/8 heavy rain, showers or freezing rain.
  // Digit 3: 0/1/2 rain squalls (as rain), 3/6 light, 4/7 moderate, 5/8 heavy drizzle.
  static constexpr double kRain[3] = {1.3, 5.1, 10.2};
  static constexpr double kDrizzle[3] = {0.15, 0.4, 0.6};
  double rate = 0.0;
  const int rain = code[1] - '0';
  if (rain >= 0 && rain <= 8) rate = kRain[rain % 3];
  const int drizzle = code[2] - '0';
  if (drizzle >= 0 && drizzle <= 2) rate = std::max(rate, kRain[drizzle]);
  if (drizzle >= 3 && drizzle <= 8) rate = std::max(rate, kDrizzle[drizzle % 3]);
  return rate;
}

WeatherSeries readEpw(const std::string& path) {
  return parseEpw(readLines(path), path);
}

WeatherSeries parseEpw(const std::vector<std::string>& lines, const std::string& name) {
  WeatherSeries s;
  if (lines.size() < kHeaderLines) {
    throw WeatherFileError(name, static_cast<int>(lines.size()), 0, "",
                           "truncated: an EPW file has 8 header lines before the data");
  }
  readLocation(TextRow(name, 1, lines[0], ','), s.site);
  const TextRow periods(name, kHeaderLines, lines[kHeaderLines - 1], ',');
  if (periods.columns() < 7 || periods.field(1) != "DATA PERIODS") {
    periods.fail(0, nullptr, "the eighth header line must be DATA PERIODS");
  }
  if (periods.number(3, "records per hour") != 1.0) {
    periods.fail(3, "records per hour", "only hourly files (1 record per hour) are read");
  }
  const MonthDay last = parseMonthDay(periods, 7, "end date");

  // The calendar has 29 February when any record is dated on it.
  for (std::size_t i = kHeaderLines; i < lines.size(); ++i) {
    const auto& text = lines[i];
    if (text.find(",2,29,") != std::string::npos) s.leapYear = true;
  }

  std::vector<double> precipHours;
  std::vector<double> codeRates;
  bool anyDepth = false;
  bool anyCodes = false;
  for (std::size_t i = kHeaderLines; i < lines.size(); ++i) {
    if (lines[i].find_first_not_of(" \t") == std::string::npos) continue;
    const TextRow row(name, static_cast<int>(i) + 1, lines[i], ',');
    row.requireColumns(kColumns);
    const int month = static_cast<int>(row.number(kMonth, "month"));
    row.requireRange(month, kMonth, "month", 1, 12);
    const int day = static_cast<int>(row.number(kDay, "day"));
    row.requireRange(day, kDay, "day", 1, daysInMonth(month, s.leapYear));
    const int hour = static_cast<int>(row.number(kHour, "hour"));
    row.requireRange(hour, kHour, "hour", 1, 24);
    const double stamp = 24.0 * dayOfYear(month, day, s.leapYear) + hour;
    if (s.size() == 0) {
      s.year = static_cast<int>(row.number(kYear, "year"));
    } else if (stamp != s.hour.back() + 1.0) {
      row.fail(kHour, "hour",
               stamp <= s.hour.back()
                   ? "time does not increase from the previous record"
                   : "records missing before this one (time jumps by " +
                         std::to_string(static_cast<int>(stamp - s.hour.back())) + " h)");
    }
    s.appendRecord(stamp);
    auto value = [&](int column, const char* label, double missing, double lo, double hi) {
      const double v = row.numberOrMissing(column, label, missing);
      row.requireRange(v, column, label, lo, hi);
      return v;
    };
    s.airTemperature.back() = value(kDryBulb, "dry bulb temperature", 99.9, -70.0, 70.0);
    s.dewPoint.back() = value(kDewPoint, "dew point temperature", 99.9, -70.0, 70.0);
    s.relativeHumidity.back() = value(kRelHum, "relative humidity", 999.0, 0.0, 110.0) / 100.0;
    s.pressure.back() = value(kPressure, "station pressure", 999999.0, 31000.0, 120000.0);
    s.horizontalInfrared.back() = value(kInfrared, "horizontal infrared", 9999.0, 0.0, 1000.0);
    s.globalHorizontal.back() = value(kGlobal, "global horizontal", 9999.0, 0.0, 1500.0);
    s.directNormal.back() = value(kDirect, "direct normal", 9999.0, 0.0, 1500.0);
    s.diffuseHorizontal.back() = value(kDiffuse, "diffuse horizontal", 9999.0, 0.0, 1000.0);
    s.windDirection.back() = value(kWindDir, "wind direction", 999.0, 0.0, 360.0);
    s.windSpeed.back() = value(kWindSpeed, "wind speed", 999.0, 0.0, 40.0);
    s.opaqueSkyCover.back() = value(kOpaqueSky, "opaque sky cover", 99.0, 0.0, 10.0);
    const double depth = value(kPrecipDepth, "liquid precipitation depth", 999.0, 0.0, 500.0);
    const double hours = value(kPrecipHours, "liquid precipitation quantity", 99.0, 0.0, 24.0);
    s.precipitation.back() = depth;
    precipHours.push_back(std::isnan(hours) || hours < 1.0 ? 1.0 : std::round(hours));
    const bool observed = row.field(kWeatherObserved) == "0";
    codeRates.push_back(observed ? rainRateOfPresentWeather(weatherCodes(row.field(kWeatherCodes)))
                                 : 0.0);
    anyDepth = anyDepth || !std::isnan(depth);
    anyCodes = anyCodes || observed;
  }
  if (s.size() == 0) {
    throw WeatherFileError(name, static_cast<int>(lines.size()), 0, "",
                           "truncated: no data rows after the header");
  }
  const double lastStamp = 24.0 * dayOfYear(last.month, last.day, s.leapYear) + 24.0;
  if (s.hour.back() < lastStamp) {
    throw WeatherFileError(name, static_cast<int>(lines.size()), 0, "",
                           "truncated: the data end before " + std::to_string(last.month) + "/" +
                               std::to_string(last.day) + " 24:00 given in DATA PERIODS");
  }

  // A depth over several hours is spread evenly over them (this hour and those before).
  std::vector<double> rain(s.size(), 0.0);
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double depth = s.precipitation[i];
    if (std::isnan(depth)) {
      rain[i] += codeRates[i];
      continue;
    }
    const std::size_t span = std::min(static_cast<std::size_t>(precipHours[i]), i + 1);
    for (std::size_t k = 0; k < span; ++k) rain[i - k] += depth / static_cast<double>(span);
  }
  s.precipitation = std::move(rain);
  if (!anyDepth) {
    s.warnings.push_back(
        anyCodes ? "no liquid precipitation depth in the file: rain taken from the present "
                   "weather codes (light/moderate/heavy rain 1.3/5.1/10.2 mm/h, drizzle "
                   "0.15/0.4/0.6 mm/h)"
                 : "the file has no precipitation (neither depth nor present weather): no rain");
  }
  completeSeries(s, name);
  return s;
}

}  // namespace tamo1d::weather
