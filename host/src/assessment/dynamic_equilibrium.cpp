#include "dynamic_equilibrium.h"

#include <cmath>

namespace tamo1d::assessment {

DynamicEquilibrium::DynamicEquilibrium(double initialWater, double tolerance, int maximumYears)
    : tolerance_(tolerance), maximumYears_(maximumYears) {
  yearEnd_.reserve(static_cast<std::size_t>(maximumYears) + 1);
  yearEnd_.push_back(initialWater);
}

bool DynamicEquilibrium::endOfYear(double totalWater) {
  const double previous = yearEnd_.back();
  yearEnd_.push_back(totalWater);
  reached_ = std::fabs(totalWater - previous) <= tolerance_ * std::fabs(previous);
  return !reached_ && years() < maximumYears_;
}

double DynamicEquilibrium::lastChange() const {
  if (yearEnd_.size() < 2) return 0.0;
  const double previous = yearEnd_[yearEnd_.size() - 2];
  const double change = yearEnd_.back() - previous;
  return previous != 0.0 ? change / std::fabs(previous) : change;
}

WaterTrend DynamicEquilibrium::trend() const {
  const double change = lastChange();
  if (change > 0.0) return WaterTrend::Accumulating;
  if (change < 0.0) return WaterTrend::Drying;
  return WaterTrend::Steady;
}

const char* waterTrendName(WaterTrend trend) {
  switch (trend) {
    case WaterTrend::Drying:
      return "drying";
    case WaterTrend::Accumulating:
      return "accumulating";
    case WaterTrend::Steady:
      break;
  }
  return "steady";
}

}  // namespace tamo1d::assessment
