// Hourly weather of one station as read from a weather file, in the units the host uses.
#ifndef TAMO1D_WEATHER_WEATHER_SERIES_H
#define TAMO1D_WEATHER_WEATHER_SERIES_H

#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <vector>

namespace tamo1d::weather {

inline constexpr double kNotGiven = std::numeric_limits<double>::quiet_NaN();

// Where the station is. Values the file does not give are NaN until the case fills them.
struct WeatherSite {
  double latitude = kNotGiven;   // degrees, north positive
  double longitude = kNotGiven;  // degrees, east positive
  double timeZone = kNotGiven;   // hours east of UTC of the file's local standard time
  double elevation = kNotGiven;  // m above sea level
};

// One record per hour. Instantaneous quantities (temperatures, humidity, pressure, wind,
// sky cover) hold at the record's time stamp; radiation and precipitation are the means
// over the hour that ends at the time stamp.
struct WeatherSeries {
  WeatherSite site;
  int year = 0;           // calendar year of the first record (solar position)
  bool leapYear = false;  // the calendar of the records has a 29 February
  // [h] time stamp: hours since 1 January 00:00 local standard time of `year`
  std::vector<double> hour;
  std::vector<double> airTemperature;      // [degC] dry bulb
  std::vector<double> dewPoint;            // [degC]
  std::vector<double> relativeHumidity;    // [-] fraction, over liquid water
  std::vector<double> pressure;            // [Pa] station pressure
  std::vector<double> horizontalInfrared;  // [W/m2] sky long-wave on the horizontal, NaN: none
  std::vector<double> globalHorizontal;    // [W/m2]
  std::vector<double> directNormal;        // [W/m2]
  std::vector<double> diffuseHorizontal;   // [W/m2]
  std::vector<double> windDirection;       // [degrees] where the wind comes from, 0 = north
  std::vector<double> windSpeed;           // [m/s] at 10 m
  std::vector<double> opaqueSkyCover;      // [tenths] NaN: not given
  std::vector<double> precipitation;       // [mm/h] = [kg/(m2 h)], rain and snow
  std::vector<std::string> warnings;       // what the reader assumed or filled in

  std::size_t size() const { return hour.size(); }
  // Grows every column by one record, all NaN except the time stamp.
  void appendRecord(double timeStamp);
};

}  // namespace tamo1d::weather

#endif
