#include "weather/driving_rain.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tamo1d::weather {
namespace {
constexpr double kDeg = std::numbers::pi / 180.0;
}

double roughnessCoefficient(TerrainCategory terrain, double height) {
  struct Row {
    double kr, z0, zmin;
  };
  static constexpr Row kTable1[4] = {
      {0.17, 0.01, 2.0}, {0.19, 0.05, 4.0}, {0.22, 0.3, 8.0}, {0.24, 1.0, 16.0}};
  const Row& row = kTable1[static_cast<int>(terrain) - 1];
  return row.kr * std::log(std::max(height, row.zmin) / row.z0);
}

double obstructionFactor(double distance) {
  static constexpr double kUpTo[8] = {8.0, 15.0, 25.0, 40.0, 60.0, 80.0, 100.0, 120.0};
  for (int i = 0; i < 8; ++i) {
    if (distance <= kUpTo[i]) return 0.2 + 0.1 * i;
  }
  return 1.0;
}

double airfieldDrivingRain(double windSpeed, double windDirection, double rainfall,
                           double wallAzimuth) {
  const double cosAngle = std::cos((windDirection - wallAzimuth) * kDeg);
  if (cosAngle <= 0.0) return 0.0;  // leeward
  return 2.0 / 9.0 * windSpeed * std::pow(rainfall, 8.0 / 9.0) * cosAngle;
}

double rainOnSurface(double windSpeed, double windDirection, double rainfall, double azimuth,
                     double inclination, const DrivingRainFactors& factors) {
  const double beta = inclination * kDeg;
  const double horizontalPart = std::max(0.0, rainfall) * std::max(0.0, std::cos(beta));
  const double drivingPart = airfieldDrivingRain(windSpeed, windDirection, rainfall, azimuth) *
                             factors.product() * std::sin(beta);
  return horizontalPart + std::max(0.0, drivingPart);
}

}  // namespace tamo1d::weather
