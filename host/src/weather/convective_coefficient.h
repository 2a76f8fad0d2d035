// Wind-dependent convective heat transfer coefficient of an exterior surface:
// h_c = 4 + 4 v, EN ISO 6946:2007, Annex A, clause A.2 (v the wind speed at the surface,
// here the weather file's wind speed at 10 m times `windFactor`).
#ifndef TAMO1D_WEATHER_CONVECTIVE_COEFFICIENT_H
#define TAMO1D_WEATHER_CONVECTIVE_COEFFICIENT_H

namespace tamo1d::weather {

// [W/(m2 K)]
double convectiveCoefficient(double windSpeed, double windFactor = 1.0);

}  // namespace tamo1d::weather

#endif
