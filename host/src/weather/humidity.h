// Water vapour relations used to move between dew point and relative humidity.
#ifndef TAMO1D_WEATHER_HUMIDITY_H
#define TAMO1D_WEATHER_HUMIDITY_H

namespace tamo1d::weather {

// [Pa] saturation vapour pressure at `celsius`, EN ISO 13788:2012 Annex E, eqs. (E.7)
// (over water, theta >= 0) and (E.8) (over ice, theta < 0).
double saturationVapourPressure(double celsius);
// [degC] the dew point of vapour pressure `pascal` (the inverse of the relation above).
double dewPointOf(double pascal);

}  // namespace tamo1d::weather

#endif
