#include "weather/series_completion.h"

#include <algorithm>
#include <cmath>

#include "weather/humidity.h"
#include "weather/weather_file_error.h"

namespace tamo1d::weather {

bool fillGaps(std::vector<double>& column, const std::string& name,
              std::vector<std::string>& warnings) {
  const std::size_t n = column.size();
  std::size_t previous = n;  // index of the last given value, n: none yet
  std::size_t filled = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (std::isnan(column[i])) continue;
    if (previous == n) {
      std::fill(column.begin(), column.begin() + i, column[i]);
      filled += i;
    } else {
      const double step = (column[i] - column[previous]) / static_cast<double>(i - previous);
      for (std::size_t k = previous + 1; k < i; ++k) {
        column[k] = column[previous] + step * static_cast<double>(k - previous);
      }
      filled += i - previous - 1;
    }
    previous = i;
  }
  if (previous == n) return false;
  std::fill(column.begin() + previous + 1, column.end(), column[previous]);
  filled += n - previous - 1;
  if (filled > 0) {
    warnings.push_back(std::to_string(filled) + " missing values of " + name +
                       " filled by linear interpolation in time");
  }
  return true;
}

double standardPressureAt(double elevation) {
  // ISO 2533 troposphere: p = p0 (1 - L h / T0)^(g M / (R L)), L = 0.0065 K/m, T0 = 288.15 K.
  return 101325.0 * std::pow(1.0 - 2.25577e-5 * elevation, 5.25588);
}

void completeSeries(WeatherSeries& s, const std::string& file) {
  const std::size_t n = s.size();
  for (std::size_t i = 0; i < n; ++i) {
    const double t = s.airTemperature[i];
    if (std::isnan(t)) continue;
    if (std::isnan(s.relativeHumidity[i]) && !std::isnan(s.dewPoint[i])) {
      s.relativeHumidity[i] = saturationVapourPressure(s.dewPoint[i]) / saturationVapourPressure(t);
    } else if (std::isnan(s.dewPoint[i]) && !std::isnan(s.relativeHumidity[i])) {
      s.dewPoint[i] = dewPointOf(s.relativeHumidity[i] * saturationVapourPressure(t));
    }
  }
  struct Required {
    std::vector<double>* column;
    const char* name;
  };
  for (const Required& r :
       {Required{&s.airTemperature, "air temperature"},
        Required{&s.relativeHumidity, "relative humidity"}, Required{&s.dewPoint, "dew point"},
        Required{&s.windSpeed, "wind speed"}, Required{&s.windDirection, "wind direction"},
        Required{&s.diffuseHorizontal, "diffuse horizontal irradiance"},
        Required{&s.directNormal, "direct normal irradiance"},
        Required{&s.globalHorizontal, "global horizontal irradiance"}}) {
    if (!fillGaps(*r.column, r.name, s.warnings)) {
      throw WeatherFileError(file, 0, 0, "", std::string("the file gives no ") + r.name);
    }
  }
  if (!fillGaps(s.pressure, "pressure", s.warnings)) {
    // No station pressure: the standard atmosphere at the site's elevation (sea level when
    // that is unknown too, with a warning).
    if (std::isnan(s.site.elevation)) {
      s.warnings.push_back("no station pressure and no elevation: sea-level pressure used");
    }
    const double elevation = std::isnan(s.site.elevation) ? 0.0 : s.site.elevation;
    std::fill(s.pressure.begin(), s.pressure.end(), standardPressureAt(elevation));
  }
}

}  // namespace tamo1d::weather
