// The assessments made at one monitor position, fed once per accepted step: the VTT mould
// index, the 30-day running-mean humidity criterion, the moisture content by mass of a
// wood-based layer and the freeze-thaw cycles with the largest ice content. Judgements
// turn the results into summary lines (criterion, value, limit, verdict).
#ifndef TAMO1D_ASSESSMENT_MONITOR_ASSESSMENT_H
#define TAMO1D_ASSESSMENT_MONITOR_ASSESSMENT_H

#include <limits>
#include <string>
#include <vector>

#include "freeze_thaw_counter.h"
#include "mould_growth_vtt.h"
#include "running_mean_humidity_criterion.h"
#include "wood_moisture_content.h"

namespace tamo1d::assessment {

// Mould index limits: 1 (microscopic initial growth) for surfaces facing a room, 3 (first
// growth visible to the eye) inside the construction, as the mould index criterion of later
// editions of ASHRAE Standard 160 sets it.
inline constexpr double kMouldLimitRoomSurface = 1.0;
inline constexpr double kMouldLimitInConstruction = 3.0;

struct MonitorSettings {
  MouldSensitivity sensitivity = MouldSensitivity::Sensitive;
  double declineFactor = kMouldDeclineReference;  // C_mat
  double mouldLimit = kMouldLimitInConstruction;  // largest acceptable M
  RunningMeanHumidityLimits runningMean;
  double woodDryDensity = 0.0;  // kg/m3; > 0: the position lies in a wood-based layer
  double woodThreshold = kWoodMoistureThreshold;  // kg/kg
  double freezeThreshold = kFreezeThreshold;      // degC
  double criticalSaturation = kCriticalSaturation;
  double maximumWater = 0.0;  // kg/m3, w_max of the material for the degree of saturation
};

// State at the position at the end of a step.
struct MonitorState {
  double temperature = 0.0;   // degC
  double humidity = 0.0;      // fraction
  double waterContent = 0.0;  // kg/m3
  double iceContent = 0.0;    // kg/m3
};

// One line of a run summary.
struct Judgement {
  std::string name;  // e.g. "mould_index_max"
  double value = 0.0;
  std::string unit;
  double limit = std::numeric_limits<double>::quiet_NaN();  // NaN: no judgement
  std::string verdict;                                      // "", "pass" or "FAIL"
};

class MonitorAssessment {
 public:
  explicit MonitorAssessment(const MonitorSettings& settings);

  void advance(double seconds, const MonitorState& state);

  const MonitorSettings& settings() const { return settings_; }
  const VttMouldGrowth& mould() const { return mould_; }
  const RunningMeanHumidityCriterion& runningMean() const { return runningMean_; }
  const WoodMoistureContent& wood() const { return wood_; }
  const FreezeThawCounter& freezeThaw() const { return freezeThaw_; }
  bool isWood() const { return settings_.woodDryDensity > 0.0; }

  // Checkpoints: the state of every model, in a fixed order; restoreState reads it back
  // into an assessment built with the same settings.
  void saveState(std::vector<double>& out) const;
  void restoreState(StateReader& in);

  // Appends the lines of this monitor, names suffixed with "_" + label.
  void judge(const std::string& label, std::vector<Judgement>& lines) const;

 private:
  MonitorSettings settings_;
  VttMouldGrowth mould_;
  RunningMeanHumidityCriterion runningMean_;
  WoodMoistureContent wood_;
  FreezeThawCounter freezeThaw_;
};

// Verdict of a value against an upper limit: "pass" when value <= limit, else "FAIL".
const char* verdictAtMost(double value, double limit);

}  // namespace tamo1d::assessment

#endif
