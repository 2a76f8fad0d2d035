#include "wood_moisture_content.h"

#include <algorithm>

namespace tamo1d::assessment {

WoodMoistureContent::WoodMoistureContent(double dryDensity, double threshold)
    : dryDensity_(dryDensity), threshold_(threshold) {}

void WoodMoistureContent::advance(double seconds, double waterContent) {
  current_ = waterContent / dryDensity_;
  maximum_ = std::max(maximum_, current_);
  if (current_ > threshold_) secondsAbove_ += seconds;
}

void WoodMoistureContent::saveState(std::vector<double>& out) const {
  out.insert(out.end(), {current_, maximum_, secondsAbove_});
}

void WoodMoistureContent::restoreState(StateReader& in) {
  current_ = in.number();
  maximum_ = in.number();
  secondsAbove_ = in.number();
}

}  // namespace tamo1d::assessment
