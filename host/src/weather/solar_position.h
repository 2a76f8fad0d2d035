// Position of the sun seen from a site, by the Astronomical Almanac's approximate
// algorithm as published by J. J. Michalsky, "The Astronomical Almanac's algorithm for
// approximate solar position (1950-2050)", Solar Energy 40(3), 227-235 (1988); stated
// accuracy 0.01 degrees. Refraction is not applied (geometric position).
#ifndef TAMO1D_WEATHER_SOLAR_POSITION_H
#define TAMO1D_WEATHER_SOLAR_POSITION_H

#include "weather/weather_series.h"

namespace tamo1d::weather {

struct SolarPosition {
  double declination = 0.0;     // [degrees]
  double equationOfTime = 0.0;  // [min] apparent minus mean solar time
  double hourAngle = 0.0;       // [degrees] -180..180, negative before solar noon
  double zenith = 0.0;          // [degrees] 0 overhead, > 90 below the horizon
  double azimuth = 0.0;         // [degrees] 0 north, 90 east, 180 south
};

// Sun at `localHour` hours after 1 January 00:00 local standard time of `year` (it may
// run beyond the year) at `site` (latitude, longitude, time zone).
SolarPosition solarPosition(const WeatherSite& site, int year, double localHour);

// [W/m2] extraterrestrial irradiance normal to the sun's rays on day-of-year `day`
// (0-based): J. A. Duffie, W. A. Beckman, Solar Engineering of Thermal Processes (4th
// ed., 2013), eq. (1.4.1a) with the solar constant 1367 W/m2.
double extraterrestrialNormal(double day);

}  // namespace tamo1d::weather

#endif
