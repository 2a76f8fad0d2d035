#include "mould_growth_vtt.h"

#include <algorithm>
#include <cmath>

namespace tamo1d::assessment {

namespace {

// Class table of the updated model (Ojanen et al. 2010; Viitanen et al. 2010): k1 below and
// from M = 1, the coefficients A, B, C of M_max and the lower limit RH_min of RH_crit.
constexpr MouldClass kClasses[] = {{1.0, 2.0, 1.0, 7.0, 2.0, 80.0},       // very sensitive
                                   {0.578, 0.386, 0.3, 6.0, 1.0, 80.0},   // sensitive
                                   {0.072, 0.097, 0.0, 5.0, 1.5, 85.0},   // medium resistant
                                   {0.033, 0.014, 0.0, 3.0, 1.0, 85.0}};  // resistant

constexpr double kHoursPerDay = 24.0;
constexpr double kSecondsPerHour = 3600.0;

// Decline in dry periods (Hukka and Viitanen 1999), in index units per day of the model's time
// unit: 0.032 during the first 6 h after the conditions stopped allowing growth, nothing from
// 6 h to 24 h, 0.016 after 24 h.
constexpr double kEarlyDeclinePerDay = 0.032;
constexpr double kLateDeclinePerDay = 0.016;
constexpr double kEarlyDeclineEnd = 6.0;    // h
constexpr double kLateDeclineStart = 24.0;  // h

// Length of the overlap of [a, b] with [from, to].
double overlap(double a, double b, double from, double to) {
  return std::max(0.0, std::min(b, to) - std::max(a, from));
}

}  // namespace

const MouldClass& mouldClass(MouldSensitivity sensitivity) {
  return kClasses[static_cast<int>(sensitivity)];
}

double mouldCriticalHumidity(double temperature, MouldSensitivity sensitivity) {
  const double lower = mouldClass(sensitivity).minimumHumidity;
  if (temperature > 20.0) return lower;
  // RH_crit = -0.00267 T^3 + 0.160 T^2 - 3.13 T + 100 for T <= 20 degC (Hukka and Viitanen
  // 1999), bounded below by RH_min of the class (updated model).
  const double t = temperature;
  return std::max(((-0.00267 * t + 0.160) * t - 3.13) * t + 100.0, lower);
}

VttMouldGrowth::VttMouldGrowth(MouldSensitivity sensitivity, double declineFactor)
    : sensitivity_(sensitivity), class_(&mouldClass(sensitivity)), declineFactor_(declineFactor) {}

void VttMouldGrowth::advance(double seconds, double temperature, double humidity) {
  const double humidityPercent = 100.0 * std::min(humidity, 1.0);
  const double critical = mouldCriticalHumidity(temperature, sensitivity_);
  const double hours = seconds / kSecondsPerHour;
  if (temperature > 0.0 && temperature < 50.0 && humidityPercent >= critical) {
    dryHours_ = 0.0;
    grow(hours / kHoursPerDay, temperature, humidityPercent, critical);
  } else {
    decline(hours);
  }
  maximum_ = std::max(maximum_, index_);
}

void VttMouldGrowth::saveState(std::vector<double>& out) const {
  out.insert(out.end(), {index_, maximum_, dryHours_});
}

void VttMouldGrowth::restoreState(StateReader& in) {
  index_ = in.number();
  maximum_ = in.number();
  dryHours_ = in.number();
}

void VttMouldGrowth::grow(double days, double temperature, double rh, double critical) {
  // Growth rate (Hukka and Viitanen 1999), per day, for the reference material of the updated
  // model (pine, W = 0; resawn surface, SQ = 0):
  //   dM/dt = k1 k2 / (7 exp(-0.68 ln T - 13.9 ln RH + 0.14 W - 0.33 SQ + 66.02)).
  const double base =
      1.0 / (7.0 * std::exp(-0.68 * std::log(temperature) - 13.9 * std::log(rh) + 66.02));
  // M_max = A + B x - C x^2 with x = (RH_crit - RH) / (RH_crit - 100) (updated model; the
  // original model has A = 1, B = 7, C = 2). critical < 100 whenever T > 0.
  const double x = (critical - rh) / (critical - 100.0);
  const double indexMax = std::max(class_->maxA + (class_->maxB - class_->maxC * x) * x, 0.0);
  // Explicit integration over the step with the step-start factors; the step is split where
  // M reaches 1 so that k1 switches at the right time whatever the step length.
  while (days > 0.0) {
    const double k1 = index_ < 1.0 ? class_->growthFactorBelowOne : class_->growthFactorFromOne;
    // k2 = max(1 - exp(2.3 (M - M_max)), 0) slows the growth towards M_max.
    const double k2 = std::max(1.0 - std::exp(2.3 * (index_ - indexMax)), 0.0);
    const double rate = base * k1 * k2;
    if (rate <= 0.0) return;
    const double next = index_ + rate * days;
    if (index_ < 1.0 && next > 1.0 && indexMax > 1.0) {
      days -= (1.0 - index_) / rate;
      index_ = 1.0;
      continue;
    }
    index_ = std::min(next, indexMax);
    return;
  }
}

void VttMouldGrowth::decline(double hours) {
  // (dM/dt)_mat = C_mat (dM/dt)_0 (updated model), the piecewise constant rate integrated
  // exactly over the part of each period the step covers.
  const double start = dryHours_;
  const double end = dryHours_ + hours;
  const double early = overlap(start, end, 0.0, kEarlyDeclineEnd);
  const double late = std::max(0.0, end - std::max(start, kLateDeclineStart));
  const double drop = (kEarlyDeclinePerDay * early + kLateDeclinePerDay * late) / kHoursPerDay;
  index_ = std::max(index_ - declineFactor_ * drop, 0.0);
  dryHours_ = end;
}

}  // namespace tamo1d::assessment
