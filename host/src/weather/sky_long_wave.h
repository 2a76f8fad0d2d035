// Long-wave counter-radiation on an exterior surface.
//
// With a horizontal infrared radiation L_sky from the weather file, the surface receives
// F_sky L_sky + (1 - F_sky) sigma T_air^4: the ground (and what stands on it) radiates as a
// black body at air temperature, F_sky = (1 + cos inclination) / 2.
//
// Without it, L_sky = eps sigma T_air^4 with the all-sky emissivity of M. Crawford,
// C. E. Duchon, "An improved parameterization for estimating effective atmospheric
// emissivity for use in calculating daytime downwelling longwave radiation", Journal of
// Applied Meteorology 38, 474-480 (1999):
//   clear sky   eps_clr = (1.22 + 0.06 sin((month + 2) pi / 6)) (e / T)^(1/7)
//               (e vapour pressure in hPa from the dew point, T air temperature in K;
//               Brutsaert's 1975 form with the seasonal term of the paper),
//   all sky     eps = clf + (1 - clf) eps_clr,
// where the cloud fraction clf is the opaque sky cover of the file / 10, or, in files
// without sky cover, clf = 1 - s with s the ratio of the measured global horizontal
// irradiance to a clear sky's (Crawford and Duchon's definition), taken at hours whose sun
// stands at least 5 degrees high and interpolated in time between them, as the paper does
// for the night. The clear-sky global horizontal irradiance is that of B. Haurwitz,
// "Insolation in relation to cloud type", Journal of Meteorology 3, 123-124 (1946):
// 1098 cos Z exp(-0.057 / cos Z) W/m2.
#ifndef TAMO1D_WEATHER_SKY_LONG_WAVE_H
#define TAMO1D_WEATHER_SKY_LONG_WAVE_H

#include <vector>

namespace tamo1d::weather {

inline constexpr double kStefanBoltzmann = 5.67e-8;  // [W/(m2 K4)]

// [-] all-sky emissivity (Crawford and Duchon 1999) of air at `airTemperature` degC with
// dew point `dewPoint` degC, cloud fraction `cloudFraction` (0..1) in `month` (1..12).
double skyEmissivity(double airTemperature, double dewPoint, double cloudFraction, int month);

// [W/m2] counter-radiation on a surface with sky view factor `skyView`.
double counterRadiation(double skyInfrared, double airTemperature, double skyView);

// [W/m2] Haurwitz clear-sky global horizontal irradiance at `zenith` degrees.
double clearSkyGlobal(double zenith);

// Cloud fraction per record from global horizontal irradiance and sun zenith at the middle
// of each hour (described above); 1 - s clamped to 0..1. Without any usable hour: 0.5.
std::vector<double> cloudFractionFromSunshine(const std::vector<double>& global,
                                              const std::vector<double>& zenith);

}  // namespace tamo1d::weather

#endif
