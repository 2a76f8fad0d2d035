// What the readers share after the rows are in: fill missing values, derive humidity
// quantities from each other, and the pressure from the elevation when the file has none.
#ifndef TAMO1D_WEATHER_SERIES_COMPLETION_H
#define TAMO1D_WEATHER_SERIES_COMPLETION_H

#include <string>
#include <vector>

#include "weather/weather_series.h"

namespace tamo1d::weather {

// Replaces NaN entries by linear interpolation in time between the nearest given values
// (constant beyond the first and last); a warning counts them. False (and the column
// unchanged) when no value at all is given.
bool fillGaps(std::vector<double>& column, const std::string& name,
              std::vector<std::string>& warnings);

// [Pa] pressure of the standard atmosphere (ISO 2533:1975) at `elevation` m.
double standardPressureAt(double elevation);

// Completes a series whose site is known: relative humidity from dew point or the reverse
// (EN ISO 13788 saturation pressure), gaps filled, the pressure of the standard
// atmosphere at the site's elevation when the file has none. `file` names the file in the
// error raised when temperature, humidity, wind or radiation are missing entirely.
void completeSeries(WeatherSeries& series, const std::string& file);

}  // namespace tamo1d::weather

#endif
