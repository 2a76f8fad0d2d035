#include "climate_signal.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tamo1d {

double Signal::at(double hour) const {
  double value = mean_;
  for (const Cycle& c : cycles_) {
    value += c.amplitude * std::cos(2.0 * std::numbers::pi * (hour - c.peakHour) / c.period);
  }
  return std::clamp(value, minimum_, maximum_);
}

}  // namespace tamo1d
