#include "freeze_thaw_counter.h"

#include <algorithm>

namespace tamo1d::assessment {

FreezeThawCounter::FreezeThawCounter(double thresholdTemperature, double criticalSaturation)
    : threshold_(thresholdTemperature), criticalSaturation_(criticalSaturation) {}

void FreezeThawCounter::advance(double temperature, double saturation, double iceContent) {
  maximumIce_ = std::max(maximumIce_, iceContent);
  const bool below = temperature < threshold_;
  if (!started_) {
    // A run that starts frozen has not crossed the threshold: its first thaw is no cycle.
    started_ = true;
    frozen_ = below;
    return;
  }
  if (below) {
    if (!frozen_) critical_ = false;
    frozen_ = true;
    critical_ = critical_ || saturation >= criticalSaturation_;
  } else if (frozen_) {
    frozen_ = false;
    if (critical_) ++cycles_;
    critical_ = false;
  }
}

void FreezeThawCounter::saveState(std::vector<double>& out) const {
  out.insert(out.end(), {started_ ? 1.0 : 0.0, frozen_ ? 1.0 : 0.0, critical_ ? 1.0 : 0.0,
                         static_cast<double>(cycles_), maximumIce_});
}

void FreezeThawCounter::restoreState(StateReader& in) {
  started_ = in.flag();
  frozen_ = in.flag();
  critical_ = in.flag();
  cycles_ = static_cast<int>(in.count(2e9));
  maximumIce_ = in.number();
}

}  // namespace tamo1d::assessment
