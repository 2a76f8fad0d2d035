// Anisotropic sky diffuse irradiance on a tilted surface: R. Perez, P. Ineichen, R. Seals,
// J. Michalsky, R. Stewart, "Modeling daylight availability and irradiance components from
// direct and global irradiance", Solar Energy 44(5), 271-289 (1990).
#ifndef TAMO1D_WEATHER_PEREZ_SKY_DIFFUSE_H
#define TAMO1D_WEATHER_PEREZ_SKY_DIFFUSE_H

namespace tamo1d::weather {

struct PerezSky {
  double diffuse = 0.0;           // [W/m2] diffuse horizontal irradiance
  double directNormal = 0.0;      // [W/m2]
  double zenith = 0.0;            // [degrees] of the sun, at most 85 here
  double extraterrestrial = 0.0;  // [W/m2] normal irradiance outside the atmosphere
};

// [W/m2] sky diffuse irradiance on a surface of `inclination` degrees whose cosine of
// incidence is `cosIncidence`; never negative.
double perezSkyDiffuse(const PerezSky& sky, double inclination, double cosIncidence);

// [-] relative optical air mass at `zenith` degrees: F. Kasten, A. T. Young, "Revised
// optical air mass tables and approximation formula", Applied Optics 28(22), 4735-4738
// (1989), eq. (3).
double relativeAirMass(double zenith);

}  // namespace tamo1d::weather

#endif
