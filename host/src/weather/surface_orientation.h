// Orientation of an exterior surface and its geometric relation to the sun and the sky.
#ifndef TAMO1D_WEATHER_SURFACE_ORIENTATION_H
#define TAMO1D_WEATHER_SURFACE_ORIENTATION_H

#include "weather/solar_position.h"

namespace tamo1d::weather {

struct SurfaceOrientation {
  double azimuth = 180.0;     // [degrees] of the outward normal, 0 north, 90 east
  double inclination = 90.0;  // [degrees] from the horizontal: 90 wall, 0 flat roof
};

// Cosine of the angle of incidence of the sun's rays on the surface (negative: the sun is
// behind it), J. A. Duffie, W. A. Beckman, Solar Engineering of Thermal Processes (4th
// ed.), eq. (1.6.3) written with zenith and azimuth angles.
double cosIncidence(const SolarPosition& sun, const SurfaceOrientation& surface);
// View factor of the surface to the sky, (1 + cos inclination) / 2; the rest sees the
// ground (Duffie and Beckman, section 2.15).
double skyViewFactor(const SurfaceOrientation& surface);

}  // namespace tamo1d::weather

#endif
