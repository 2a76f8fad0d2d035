#include "weather/weather_file.h"

#include <cmath>

#include "weather/epw_reader.h"
#include "weather/fmi_test_year_reader.h"

namespace tamo1d::weather {

std::optional<WeatherFormat> weatherFormatNamed(const std::string& name) {
  if (name == "epw") return WeatherFormat::Epw;
  if (name == "fmi_test_year") return WeatherFormat::FmiTestYear;
  return std::nullopt;
}

WeatherSeries readWeatherFile(const std::string& path, WeatherFormat format,
                              const WeatherSite& site) {
  if (format == WeatherFormat::FmiTestYear) return readFmiTestYear(path, site);
  WeatherSeries series = readEpw(path);
  for (auto [field, given] : {std::pair{&series.site.latitude, site.latitude},
                              std::pair{&series.site.longitude, site.longitude},
                              std::pair{&series.site.timeZone, site.timeZone},
                              std::pair{&series.site.elevation, site.elevation}}) {
    if (!std::isnan(given)) *field = given;
  }
  return series;
}

}  // namespace tamo1d::weather
