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

void DynamicEquilibrium::saveState(std::vector<double>& out) const {
  out.push_back(reached_ ? 1.0 : 0.0);
  out.push_back(static_cast<double>(yearEnd_.size()));
  out.insert(out.end(), yearEnd_.begin(), yearEnd_.end());
}

void DynamicEquilibrium::restoreState(StateReader& in) {
  reached_ = in.flag();
  const long totals = in.count(static_cast<double>(maximumYears_) + 1.0);
  yearEnd_.clear();
  for (long i = 0; i < totals && in.valid(); ++i) yearEnd_.push_back(in.number());
  if (yearEnd_.empty()) yearEnd_.push_back(0.0);  // an invalid state; the reader says so
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
