// Reader of EPW weather files (the hourly format common in building simulation).
//
// Layout: eight header lines (LOCATION with latitude, longitude, time zone and elevation
// in fields 7..10; DATA PERIODS last), then one row of 35 comma-separated fields per
// hour. Hour h = 1..24 covers (h-1):00 .. h:00 local standard time: temperatures, humidity,
// pressure, wind and sky cover are values at h:00, radiation is the mean (Wh/m2 sum) over
// the hour before it, precipitation the depth over the "quantity" hours before it.
// Missing-value codes (99.9, 999, 9999, 999999, 99) become gaps, filled by interpolation in
// time; horizontal infrared and opaque sky cover stay missing (the sky model takes over).
//
// Precipitation: the liquid precipitation depth (field 34) over its quantity of hours
// (field 35). Where the depth is missing, the present weather codes (field 28, read when
// field 27 is 0) give rain at the middle of the American Meteorological Society's
// intensity classes (Glossary of Meteorology, "rain", "drizzle"): rain light 1.3, moderate
// 5.1, heavy 10.2 mm/h; drizzle light 0.15, moderate 0.4, heavy 0.6 mm/h; freezing rain
// and drizzle alike. A file without either gets no rain and a warning.
#ifndef TAMO1D_WEATHER_EPW_READER_H
#define TAMO1D_WEATHER_EPW_READER_H

#include <string>
#include <vector>

#include "weather/weather_series.h"

namespace tamo1d::weather {

// Reads `path`; throws WeatherFileError with line and column on a malformed file.
WeatherSeries readEpw(const std::string& path);
// The same on lines already in memory; `name` is the file name used in messages.
WeatherSeries parseEpw(const std::vector<std::string>& lines, const std::string& name);

// [mm/h] rain rate of an EPW present weather code (9 digits); 0 when it reports no rain.
double rainRateOfPresentWeather(const std::string& code);

}  // namespace tamo1d::weather

#endif
