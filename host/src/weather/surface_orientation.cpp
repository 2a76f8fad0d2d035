#include "weather/surface_orientation.h"

#include <cmath>
#include <numbers>

namespace tamo1d::weather {
namespace {
constexpr double kDeg = std::numbers::pi / 180.0;
}

double cosIncidence(const SolarPosition& sun, const SurfaceOrientation& surface) {
  const double z = sun.zenith * kDeg;
  const double beta = surface.inclination * kDeg;
  return std::cos(z) * std::cos(beta) +
         std::sin(z) * std::sin(beta) * std::cos((sun.azimuth - surface.azimuth) * kDeg);
}

double skyViewFactor(const SurfaceOrientation& surface) {
  return 0.5 * (1.0 + std::cos(surface.inclination * kDeg));
}

}  // namespace tamo1d::weather
