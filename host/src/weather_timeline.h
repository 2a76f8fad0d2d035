// Places the simulation clock on a weather series: which records an hour of the run reads,
// with the year to start at and the weather repeated for runs longer than the file.
#ifndef TAMO1D_WEATHER_TIMELINE_H
#define TAMO1D_WEATHER_TIMELINE_H

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "weather/weather_series.h"

namespace tamo1d {

class WeatherTimeline {
 public:
  // clock hour h (start hour of the case + elapsed hours) = h + offset hours after 1 January
  // 00:00 of the series' first year; offset counts the years before `startYear`.
  WeatherTimeline(std::shared_ptr<const weather::WeatherSeries> series, int startYear, bool repeat);

  const weather::WeatherSeries& series() const { return *series_; }
  // Linear interpolation of an instantaneous column between the records around `hour`.
  double instantaneous(const std::vector<double>& column, double hour) const;
  // Index of the record whose hour (stamp - 1, stamp] holds `hour` (means over the hour).
  std::size_t intervalRecord(double hour) const;
  // Index of the last record stamped at or before `hour`.
  std::size_t recordAtOrBefore(double hour) const;
  // "" when [from, to] lies within the weather (always with repetition), else the reason.
  std::string coverageProblem(double from, double to) const;

 private:
  double position(double hour) const;  // hours after the first record's stamp
  std::size_t wrapped(long index) const;

  std::shared_ptr<const weather::WeatherSeries> series_;
  double offset_ = 0.0;
  bool repeat_ = true;
};

}  // namespace tamo1d

#endif
