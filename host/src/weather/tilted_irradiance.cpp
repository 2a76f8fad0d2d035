#include "weather/tilted_irradiance.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "weather/perez_sky_diffuse.h"

namespace tamo1d::weather {
namespace {
constexpr double kLowestSunZenith = 85.0;  // [degrees]
}

TiltedIrradiance tiltedIrradiance(const SolarPosition& sun, const SurfaceOrientation& surface,
                                  const HorizontalIrradiance& horizontal, double extraterrestrial,
                                  double albedo, SkyDiffuseModel model) {
  TiltedIrradiance out;
  const double global = std::max(0.0, horizontal.global);
  const double skyView = skyViewFactor(surface);
  out.groundReflected = global * albedo * (1.0 - skyView);
  if (sun.zenith > kLowestSunZenith) {
    out.skyDiffuse = global * skyView;
    return out;
  }
  const double diffuse = std::clamp(horizontal.diffuse, 0.0, global);
  const double cosZenith = std::cos(sun.zenith * std::numbers::pi / 180.0);
  const double directNormal = (global - diffuse) / cosZenith;
  const double cosTheta = cosIncidence(sun, surface);
  out.beam = directNormal * std::max(0.0, cosTheta);
  out.skyDiffuse = model == SkyDiffuseModel::Perez
                       ? perezSkyDiffuse({diffuse, directNormal, sun.zenith, extraterrestrial},
                                         surface.inclination, cosTheta)
                       : diffuse * skyView;
  return out;
}

}  // namespace tamo1d::weather
