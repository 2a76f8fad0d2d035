// A climate quantity given as a constant or as a sum of cosine cycles (annual, daily and
// any further periods), optionally clipped to [minimum, maximum]. Time is the hour of the
// year on the simulation clock (it keeps counting beyond 8760).
#ifndef TAMO1D_CLIMATE_SIGNAL_H
#define TAMO1D_CLIMATE_SIGNAL_H

#include <limits>
#include <vector>

namespace tamo1d {

struct Cycle {
  double period = 24.0;    // h
  double amplitude = 0.0;  // unit of the quantity
  double peakHour = 0.0;   // h on the clock at which the cycle is at its maximum
};

class Signal {
 public:
  Signal() = default;
  explicit Signal(double constant) : mean_(constant) {}
  Signal(double mean, std::vector<Cycle> cycles, double minimum, double maximum)
      : mean_(mean), cycles_(std::move(cycles)), minimum_(minimum), maximum_(maximum) {}

  double at(double hour) const;
  bool isConstant() const { return cycles_.empty(); }
  double mean() const { return mean_; }

 private:
  double mean_ = 0.0;
  std::vector<Cycle> cycles_;
  double minimum_ = -std::numeric_limits<double>::infinity();
  double maximum_ = std::numeric_limits<double>::infinity();
};

}  // namespace tamo1d

#endif
