// Dynamic equilibrium of a construction under a repeated weather year: the total water
// content at the end of each year is compared with the previous year's (the first year with
// the initial state); the equilibrium is reached when the change is at most a fraction of the
// previous total (default 1 %). The trend is the sign of the last year's change.
#ifndef TAMO1D_ASSESSMENT_DYNAMIC_EQUILIBRIUM_H
#define TAMO1D_ASSESSMENT_DYNAMIC_EQUILIBRIUM_H

#include <vector>

#include "model_state.h"

namespace tamo1d::assessment {

enum class WaterTrend { Drying, Steady, Accumulating };

class DynamicEquilibrium {
 public:
  // initialWater: total water at the start (kg/m2); tolerance: fraction; maximumYears >= 1.
  DynamicEquilibrium(double initialWater, double tolerance = 0.01, int maximumYears = 10);

  // Records the total water (kg/m2) at the end of a year; returns true when another year is
  // to be simulated (neither the equilibrium nor the maximum number of years reached).
  bool endOfYear(double totalWater);

  bool reached() const { return reached_; }
  int years() const { return static_cast<int>(yearEnd_.size()) - 1; }
  // Total water at the start and at the end of each year, kg/m2 (size years() + 1).
  const std::vector<double>& yearEndWater() const { return yearEnd_; }
  // Change of the last year relative to the year before, fraction (0 before the first year).
  double lastChange() const;
  WaterTrend trend() const;
  double tolerance() const { return tolerance_; }
  int maximumYears() const { return maximumYears_; }

  // Checkpoints: whether the equilibrium is reached and the totals so far.
  void saveState(std::vector<double>& out) const;
  void restoreState(StateReader& in);

 private:
  double tolerance_;
  int maximumYears_;
  bool reached_ = false;
  std::vector<double> yearEnd_;
};

const char* waterTrendName(WaterTrend trend);

}  // namespace tamo1d::assessment

#endif
