// Reader of the building physics climatic test years of the Finnish Meteorological
// Institute (the .prn files bundled in data/weather/, described in its README).
//
// Layout: a title line and three header lines (Finnish, Swedish, English), then one row
// of 13 blank-separated columns per hour: running step, year, month, day, hour 0..23
// (local standard time UTC+2), air temperature (degC) and relative humidity (%) at 2 m,
// wind speed (m/s, 10 m) and direction (degrees, from), global and diffuse horizontal and
// direct normal irradiance (W/m2, means of the preceding hour), precipitation (mm/h over
// the preceding hour). A file covers whole calendar years. In the published files the rows
// of hours 0 and 1 carry the previous day's date (except on 1 January); the reader takes
// them as the hours after their predecessors. The files carry no station
// coordinates, no pressure, no sky radiation and no cloud cover.
#ifndef TAMO1D_WEATHER_FMI_TEST_YEAR_READER_H
#define TAMO1D_WEATHER_FMI_TEST_YEAR_READER_H

#include <string>
#include <vector>

#include "weather/weather_series.h"

namespace tamo1d::weather {

// Reads `path`; the site comes from the caller (time zone defaults to +2 when NaN).
// Throws WeatherFileError with line and column on a malformed file.
WeatherSeries readFmiTestYear(const std::string& path, const WeatherSite& site);
WeatherSeries parseFmiTestYear(const std::vector<std::string>& lines, const std::string& name,
                               const WeatherSite& site);

}  // namespace tamo1d::weather

#endif
