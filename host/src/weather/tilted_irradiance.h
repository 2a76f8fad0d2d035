// Short-wave irradiance on a tilted surface from the horizontal measurements of one hour:
// beam, sky diffuse (Perez 1990 or isotropic) and ground-reflected.
//
// The beam is the direct normal irradiance times the cosine of incidence. The direct normal
// is taken as (global - diffuse) / cos(zenith), the value consistent with the two
// horizontal measurements, so that a horizontal surface receives exactly the global
// horizontal irradiance; where the sun at the middle of the hour stands lower than 5
// degrees (the same limit as the circumsolar term of the Perez model) the whole global
// irradiance is treated as isotropic sky diffuse.
#ifndef TAMO1D_WEATHER_TILTED_IRRADIANCE_H
#define TAMO1D_WEATHER_TILTED_IRRADIANCE_H

#include "weather/surface_orientation.h"

namespace tamo1d::weather {

enum class SkyDiffuseModel { Perez, Isotropic };

struct HorizontalIrradiance {
  double global = 0.0;   // [W/m2]
  double diffuse = 0.0;  // [W/m2]
};

struct TiltedIrradiance {
  double beam = 0.0;             // [W/m2]
  double skyDiffuse = 0.0;       // [W/m2]
  double groundReflected = 0.0;  // [W/m2]
  double total() const { return beam + skyDiffuse + groundReflected; }
};

// `sun` at the middle of the hour, `extraterrestrial` the normal irradiance outside the
// atmosphere (extraterrestrialNormal), `albedo` the ground's short-wave reflectance.
TiltedIrradiance tiltedIrradiance(const SolarPosition& sun, const SurfaceOrientation& surface,
                                  const HorizontalIrradiance& horizontal, double extraterrestrial,
                                  double albedo, SkyDiffuseModel model);

}  // namespace tamo1d::weather

#endif
