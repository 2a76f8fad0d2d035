#include "weather/perez_sky_diffuse.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace tamo1d::weather {
namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

// Upper bounds of the sky clearness bins 1..7 (bin 8 is open above), Perez et al. (1990),
// Table 1.
constexpr std::array<double, 7> kClearnessBounds = {1.065, 1.230, 1.500, 1.950,
                                                    2.800, 4.500, 6.200};

// F11, F12, F13, F21, F22, F23 per clearness bin: the all-sites composite coefficients of
// Perez et al. (1990), Table 6.
constexpr double kCoefficients[8][6] = {
    {-0.0083117, 0.5877285, -0.0620636, -0.0596012, 0.0721249, -0.0220216},
    {0.1299457, 0.6825954, -0.1513752, -0.0189325, 0.0659650, -0.0288748},
    {0.3296958, 0.4868735, -0.2210958, 0.0554140, -0.0639588, -0.0260542},
    {0.5682053, 0.1874525, -0.2951290, 0.1088631, -0.1519229, -0.0139754},
    {0.8730280, -0.3920403, -0.3616149, 0.2255647, -0.4620442, 0.0012448},
    {1.1326077, -1.2367284, -0.4118494, 0.2877813, -0.8230357, 0.0558651},
    {1.0601591, -1.5999137, -0.3589221, 0.2642124, -1.1272340, 0.1310694},
    {0.6777470, -0.3272588, -0.2504286, 0.1561313, -1.3765031, 0.2506212}};

}  // namespace

double relativeAirMass(double zenith) {
  return 1.0 / (std::cos(zenith * kDeg) + 0.50572 * std::pow(96.07995 - zenith, -1.6364));
}

double perezSkyDiffuse(const PerezSky& sky, double inclination, double cosIncidence) {
  if (sky.diffuse <= 0.0) return 0.0;
  const double z = sky.zenith * kDeg;
  // Sky clearness, eq. (1) with kappa = 1.041 for the zenith angle in radians.
  const double kappaZ3 = 1.041 * z * z * z;
  const double clearness =
      ((sky.diffuse + sky.directNormal) / sky.diffuse + kappaZ3) / (1.0 + kappaZ3);
  // Sky brightness, eq. (2).
  const double brightness = sky.diffuse * relativeAirMass(sky.zenith) / sky.extraterrestrial;
  const auto bin = static_cast<std::size_t>(
      std::upper_bound(kClearnessBounds.begin(), kClearnessBounds.end(), clearness) -
      kClearnessBounds.begin());
  const double* f = kCoefficients[bin];
  // Circumsolar and horizon brightening coefficients F1 and F2 (Table 6 functions of the
  // bin, linear in brightness and zenith angle; F1 not below 0).
  const double f1 = std::max(0.0, f[0] + f[1] * brightness + f[2] * z);
  const double f2 = f[3] + f[4] * brightness + f[5] * z;
  // Tilted sky diffuse, eq. (9): a = max(0, cos incidence), b = max(cos 85 deg, cos zenith).
  const double a = std::max(0.0, cosIncidence);
  const double b = std::max(std::cos(85.0 * kDeg), std::cos(z));
  const double beta = inclination * kDeg;
  const double value =
      sky.diffuse * ((1.0 - f1) * 0.5 * (1.0 + std::cos(beta)) + f1 * a / b + f2 * std::sin(beta));
  return std::max(0.0, value);
}

}  // namespace tamo1d::weather
