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

}  // namespace tamo1d::assessment
