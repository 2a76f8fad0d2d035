#include "weather/sky_long_wave.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "weather/humidity.h"
#include "weather/series_completion.h"

namespace tamo1d::weather {
namespace {
constexpr double kDeg = std::numbers::pi / 180.0;
constexpr double kLowestSunZenith = 85.0;  // [degrees] sun at least 5 degrees high
}  // namespace

double skyEmissivity(double airTemperature, double dewPoint, double cloudFraction, int month) {
  const double vapourHectopascal = saturationVapourPressure(dewPoint) / 100.0;
  const double kelvin = airTemperature + 273.15;
  const double clear = (1.22 + 0.06 * std::sin((month + 2) * std::numbers::pi / 6.0)) *
                       std::pow(vapourHectopascal / kelvin, 1.0 / 7.0);
  const double clf = std::clamp(cloudFraction, 0.0, 1.0);
  return clf + (1.0 - clf) * clear;
}

double counterRadiation(double skyInfrared, double airTemperature, double skyView) {
  const double ground = kStefanBoltzmann * std::pow(airTemperature + 273.15, 4);
  return skyView * skyInfrared + (1.0 - skyView) * ground;
}

double clearSkyGlobal(double zenith) {
  const double cosZ = std::cos(zenith * kDeg);
  return cosZ <= 0.0 ? 0.0 : 1098.0 * cosZ * std::exp(-0.057 / cosZ);
}

std::vector<double> cloudFractionFromSunshine(const std::vector<double>& global,
                                              const std::vector<double>& zenith) {
  std::vector<double> cloud(global.size(), std::nan(""));
  for (std::size_t i = 0; i < global.size(); ++i) {
    if (zenith[i] <= kLowestSunZenith) {
      cloud[i] = std::clamp(1.0 - global[i] / clearSkyGlobal(zenith[i]), 0.0, 1.0);
    }
  }
  std::vector<std::string> ignored;
  if (!fillGaps(cloud, "cloud fraction", ignored)) std::fill(cloud.begin(), cloud.end(), 0.5);
  return cloud;
}

}  // namespace tamo1d::weather
