#include "monitor_assessment.h"

namespace tamo1d::assessment {

namespace {
constexpr double kSecondsPerHour = 3600.0;
constexpr double kNoLimit = std::numeric_limits<double>::quiet_NaN();
}  // namespace

const char* verdictAtMost(double value, double limit) {
  return value <= limit ? "pass" : "FAIL";
}

MonitorAssessment::MonitorAssessment(const MonitorSettings& settings)
    : settings_(settings),
      mould_(settings.sensitivity, settings.declineFactor),
      runningMean_(settings.runningMean),
      wood_(settings.woodDryDensity > 0.0 ? settings.woodDryDensity : 1.0, settings.woodThreshold),
      freezeThaw_(settings.freezeThreshold, settings.criticalSaturation) {}

void MonitorAssessment::advance(double seconds, const MonitorState& state) {
  mould_.advance(seconds, state.temperature, state.humidity);
  runningMean_.advance(seconds, state.temperature, state.humidity);
  if (isWood()) wood_.advance(seconds, state.waterContent);
  const double saturation =
      settings_.maximumWater > 0.0 ? state.waterContent / settings_.maximumWater : 0.0;
  freezeThaw_.advance(state.temperature, saturation, state.iceContent);
}

void MonitorAssessment::saveState(std::vector<double>& out) const {
  mould_.saveState(out);
  runningMean_.saveState(out);
  wood_.saveState(out);
  freezeThaw_.saveState(out);
}

void MonitorAssessment::restoreState(StateReader& in) {
  mould_.restoreState(in);
  runningMean_.restoreState(in);
  wood_.restoreState(in);
  freezeThaw_.restoreState(in);
}

void MonitorAssessment::judge(const std::string& label, std::vector<Judgement>& lines) const {
  const auto add = [&](const char* name, double value, const char* unit, double limit) {
    lines.push_back({std::string(name) + "_" + label, value, unit, limit,
                     limit == limit ? verdictAtMost(value, limit) : ""});
  };
  add("mould_index_max", mould_.maximum(), "-", settings_.mouldLimit);
  add("mould_index_end", mould_.index(), "-", kNoLimit);
  add("rh30_exceeding_days", runningMean_.exceedingDays(), "d", 0.0);
  add("rh30_max", runningMean_.maximumMeanHumidity(), "-", kNoLimit);
  if (isWood()) {
    add("wood_moisture_max", wood_.maximum(), "kg/kg", settings_.woodThreshold);
    add("wood_hours_above", wood_.secondsAbove() / kSecondsPerHour, "h", kNoLimit);
  }
  add("freeze_thaw_cycles", freezeThaw_.cycles(), "-", 0.0);
  add("ice_max", freezeThaw_.maximumIce(), "kg/m3", kNoLimit);
}

}  // namespace tamo1d::assessment
