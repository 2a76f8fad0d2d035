// Freeze-thaw cycles at a position: a cycle is a fall of the temperature below the threshold
// followed by the rise back to it or above, counted when the degree of saturation
// s = w / w_max (water content over the material's maximum water content) reached the
// critical degree of saturation while the position was below the threshold. Frost damage of
// porous materials needs a degree of saturation above a critical value (G. Fagerlund, "The
// critical degree of saturation method of assessing the freeze/thaw resistance of concrete",
// Materials and Structures 10 (1977) 217-229); the value belongs to the material and comes
// from a frost test. The default 0.9 stands for a material with no such data.
//
// The counter also keeps the largest ice content seen.
#ifndef TAMO1D_ASSESSMENT_FREEZE_THAW_COUNTER_H
#define TAMO1D_ASSESSMENT_FREEZE_THAW_COUNTER_H

#include <vector>

#include "model_state.h"

namespace tamo1d::assessment {

inline constexpr double kFreezeThreshold = 0.0;     // degC
inline constexpr double kCriticalSaturation = 0.9;  // -

class FreezeThawCounter {
 public:
  explicit FreezeThawCounter(double thresholdTemperature = kFreezeThreshold,
                             double criticalSaturation = kCriticalSaturation);

  // Takes the state at the end of a step: temperature (degC), degree of saturation (-) and ice
  // content (kg/m3).
  void advance(double temperature, double saturation, double iceContent);

  int cycles() const { return cycles_; }
  double maximumIce() const { return maximumIce_; }  // kg/m3
  bool frozen() const { return frozen_; }

  // Checkpoints: the phase, the saturation flag of the frozen period and the counts.
  void saveState(std::vector<double>& out) const;
  void restoreState(StateReader& in);

 private:
  double threshold_;
  double criticalSaturation_;
  bool started_ = false;
  bool frozen_ = false;
  bool critical_ = false;  // saturation reached the critical value in this frozen period
  int cycles_ = 0;
  double maximumIce_ = 0.0;
};

}  // namespace tamo1d::assessment

#endif
