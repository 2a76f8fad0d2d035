// Moisture content by mass of a wood-based layer, u = w / rho_dry (kg of water per kg of dry
// material), and the time it spends above a threshold. The default threshold, 20 % by mass, is
// the conventional upper limit for timber in service below which decay fungi are not active.
#ifndef TAMO1D_ASSESSMENT_WOOD_MOISTURE_CONTENT_H
#define TAMO1D_ASSESSMENT_WOOD_MOISTURE_CONTENT_H

#include <vector>

#include "model_state.h"

namespace tamo1d::assessment {

inline constexpr double kWoodMoistureThreshold = 0.20;  // kg/kg

class WoodMoistureContent {
 public:
  // dryDensity: kg/m3 of the dry material (> 0); threshold: kg/kg.
  explicit WoodMoistureContent(double dryDensity, double threshold = kWoodMoistureThreshold);

  // Adds a step of `seconds` ending at the volumetric water content `waterContent` (kg/m3).
  void advance(double seconds, double waterContent);

  double current() const { return current_; }            // kg/kg
  double maximum() const { return maximum_; }            // kg/kg
  double secondsAbove() const { return secondsAbove_; }  // s with u above the threshold
  double threshold() const { return threshold_; }

  // Checkpoints: the current and largest moisture content and the time above the threshold.
  void saveState(std::vector<double>& out) const;
  void restoreState(StateReader& in);

 private:
  double dryDensity_;
  double threshold_;
  double current_ = 0.0;
  double maximum_ = 0.0;
  double secondsAbove_ = 0.0;
};

}  // namespace tamo1d::assessment

#endif
