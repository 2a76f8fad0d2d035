// Reading a weather file of a named format, with the case's site values taking precedence
// over the file's (and filling what the file lacks).
#ifndef TAMO1D_WEATHER_WEATHER_FILE_H
#define TAMO1D_WEATHER_WEATHER_FILE_H

#include <optional>
#include <string>

#include "weather/weather_series.h"

namespace tamo1d::weather {

enum class WeatherFormat { Epw, FmiTestYear };

// "epw" or "fmi_test_year"; nullopt for any other name.
std::optional<WeatherFormat> weatherFormatNamed(const std::string& name);

// Reads `path`; non-NaN fields of `site` override the file's. Throws WeatherFileError.
WeatherSeries readWeatherFile(const std::string& path, WeatherFormat format,
                              const WeatherSite& site);

}  // namespace tamo1d::weather

#endif
