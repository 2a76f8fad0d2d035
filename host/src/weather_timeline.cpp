#include "weather_timeline.h"

#include <algorithm>
#include <cmath>

#include "weather/calendar.h"

namespace tamo1d {

WeatherTimeline::WeatherTimeline(std::shared_ptr<const weather::WeatherSeries> series,
                                 int startYear, bool repeat)
    : series_(std::move(series)), repeat_(repeat) {
  for (int y = series_->year; y < startYear; ++y)
    offset_ += weather::isLeapYear(y) ? 8784.0 : 8760.0;
}

double WeatherTimeline::position(double hour) const {
  return hour + offset_ - series_->hour.front();
}

std::size_t WeatherTimeline::wrapped(long index) const {
  const long n = static_cast<long>(series_->size());
  if (repeat_) return static_cast<std::size_t>(((index % n) + n) % n);
  return static_cast<std::size_t>(std::clamp(index, 0L, n - 1));
}

double WeatherTimeline::instantaneous(const std::vector<double>& column, double hour) const {
  const double p = position(hour);
  const double below = std::floor(p);
  const double fraction = p - below;
  const long k = static_cast<long>(below);
  const double lower = column[wrapped(k)];
  return fraction == 0.0 ? lower : lower + fraction * (column[wrapped(k + 1)] - lower);
}

std::size_t WeatherTimeline::intervalRecord(double hour) const {
  return wrapped(static_cast<long>(std::ceil(position(hour))));
}

std::size_t WeatherTimeline::recordAtOrBefore(double hour) const {
  return wrapped(static_cast<long>(std::floor(position(hour))));
}

std::string WeatherTimeline::coverageProblem(double from, double to) const {
  if (repeat_) return "";
  const double last = static_cast<double>(series_->size() - 1);
  if (position(from) < -1.0 || position(to) > last) {
    return "the run needs weather from clock hour " + std::to_string(from) + " to " +
           std::to_string(to) + ", beyond the " + std::to_string(series_->size()) +
           " hours of the weather file; set \"weather.repeat\": true or shorten the run";
  }
  return "";
}

}  // namespace tamo1d
