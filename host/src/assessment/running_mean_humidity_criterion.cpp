#include "running_mean_humidity_criterion.h"

#include <algorithm>

namespace tamo1d::assessment {

namespace {
constexpr double kSecondsPerDay = 86400.0;
// A day counts as complete within this margin, so that rounding in the step sums does not
// leave a sliver of a day open.
constexpr double kDayMargin = 1e-6;  // s
}  // namespace

RunningMeanHumidityCriterion::RunningMeanHumidityCriterion(RunningMeanHumidityLimits limits)
    : limits_(limits) {}

void RunningMeanHumidityCriterion::advance(double seconds, double temperature, double humidity) {
  while (seconds > 0.0) {
    const double part = std::min(seconds, kSecondsPerDay - daySeconds_);
    daySeconds_ += part;
    dayTemperature_ += part * temperature;
    dayHumidity_ += part * humidity;
    seconds -= part;
    if (daySeconds_ >= kSecondsPerDay - kDayMargin) closeDay();
  }
}

void RunningMeanHumidityCriterion::saveState(std::vector<double>& out) const {
  out.insert(out.end(), dailyTemperature_.begin(), dailyTemperature_.end());
  out.insert(out.end(), dailyHumidity_.begin(), dailyHumidity_.end());
  out.insert(out.end(), {static_cast<double>(completedDays_), daySeconds_, dayTemperature_,
                         dayHumidity_, static_cast<double>(exceedingDays_),
                         static_cast<double>(judgedDays_), maximumMeanHumidity_});
}

void RunningMeanHumidityCriterion::restoreState(StateReader& in) {
  for (double& v : dailyTemperature_) v = in.number();
  for (double& v : dailyHumidity_) v = in.number();
  completedDays_ = static_cast<int>(in.count(2e9));
  daySeconds_ = in.number();
  dayTemperature_ = in.number();
  dayHumidity_ = in.number();
  exceedingDays_ = static_cast<int>(in.count(2e9));
  judgedDays_ = static_cast<int>(in.count(2e9));
  maximumMeanHumidity_ = in.number();
}

void RunningMeanHumidityCriterion::closeDay() {
  const int slot = completedDays_ % kWindowDays;
  dailyTemperature_[slot] = dayTemperature_ / daySeconds_;
  dailyHumidity_[slot] = dayHumidity_ / daySeconds_;
  ++completedDays_;
  daySeconds_ = dayTemperature_ = dayHumidity_ = 0.0;
  if (completedDays_ < kWindowDays) return;
  double sumTemperature = 0.0, sumHumidity = 0.0;
  for (int i = 0; i < kWindowDays; ++i) {
    sumTemperature += dailyTemperature_[i];
    sumHumidity += dailyHumidity_[i];
  }
  const double meanTemperature = sumTemperature / kWindowDays;
  const double meanHumidity = sumHumidity / kWindowDays;
  ++judgedDays_;
  if (meanTemperature < limits_.temperatureLow || meanTemperature > limits_.temperatureHigh) return;
  maximumMeanHumidity_ = std::max(maximumMeanHumidity_, meanHumidity);
  if (meanHumidity >= limits_.humidity) ++exceedingDays_;
}

}  // namespace tamo1d::assessment
