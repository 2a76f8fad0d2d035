// Surface humidity criterion of the 2009 edition of ANSI/ASHRAE Standard 160 ("Criteria for
// Moisture-Control Design Analysis in Buildings"): the 30-day running average relative
// humidity at a surface stays below 80 % whenever the 30-day running average surface
// temperature is between 5 degC and 40 degC. (Later editions replaced it by the mould index.)
//
// The step values are averaged into daily means (days counted from the start of the run); from
// the 30th day on, each completed day is judged on the means of the last 30 days and counted
// when it exceeds. Constant memory: a ring of the last 30 daily means.
#ifndef TAMO1D_ASSESSMENT_RUNNING_MEAN_HUMIDITY_CRITERION_H
#define TAMO1D_ASSESSMENT_RUNNING_MEAN_HUMIDITY_CRITERION_H

#include <array>
#include <vector>

#include "model_state.h"

namespace tamo1d::assessment {

struct RunningMeanHumidityLimits {
  double humidity = 0.80;         // limit of the running mean RH, fraction
  double temperatureLow = 5.0;    // degC, range in which the limit applies
  double temperatureHigh = 40.0;  // degC
};

class RunningMeanHumidityCriterion {
 public:
  static constexpr int kWindowDays = 30;

  explicit RunningMeanHumidityCriterion(RunningMeanHumidityLimits limits = {});

  // Adds a step of `seconds` at the temperature (degC) and relative humidity (fraction) the
  // step ends with; a step across midnight is shared between the two days.
  void advance(double seconds, double temperature, double humidity);

  int exceedingDays() const { return exceedingDays_; }  // days judged and exceeding
  int judgedDays() const { return judgedDays_; }        // days with a full 30-day window
  // Largest 30-day running mean RH on a day whose mean temperature lay in the range; 0 if none.
  double maximumMeanHumidity() const { return maximumMeanHumidity_; }

  // Checkpoints: the ring of daily means, the open day and the counts.
  void saveState(std::vector<double>& out) const;
  void restoreState(StateReader& in);

 private:
  void closeDay();

  RunningMeanHumidityLimits limits_;
  std::array<double, kWindowDays> dailyTemperature_{};  // degC, ring of daily means
  std::array<double, kWindowDays> dailyHumidity_{};     // -, ring of daily means
  int completedDays_ = 0;
  double daySeconds_ = 0.0;      // s of the current day covered so far
  double dayTemperature_ = 0.0;  // integral of T over the current day, degC s
  double dayHumidity_ = 0.0;     // integral of RH over the current day, s
  int exceedingDays_ = 0;
  int judgedDays_ = 0;
  double maximumMeanHumidity_ = 0.0;
};

}  // namespace tamo1d::assessment

#endif
