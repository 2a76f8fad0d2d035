// Transport and thermal properties of a material, read from its tables with the lookups.
// All are pure, allocate nothing and read only rows the tables hold. Defined here so that
// the balance assemblies get them inlined.
#pragma once

#include "material/lookups.h"
#include "model/material_record.h"

namespace tamo {

// Liquid transport coefficient at water content w [kg/m3], from fktabs (suction) or fktabr
// (redistribution): logarithmic interpolation, the last value from min(wf, last w) on, the
// first segment extended logarithmically below the first w; 0 for an empty table.
// hint: row memory of the call site (see searchRowsFrom), or null.
template <typename Power = CalledPower>
[[gnu::always_inline]] inline double liquidTransportCoefficient(const MaterialRecord& m, double w,
                                                                bool suction,
                                                                int32_t* hint = nullptr) {
  return lookupLogCapped<Power>(suction ? m.fktabs : m.fktabr, w, m.wf, hint);
}
// Vapour diffusion resistance factor [-] at relative humidity phi: logarithmic
// interpolation of bmytab, the first value for phi <= 0, the last for phi > 1; 1 (still
// air) when the material has no table. hint: row memory of the call site, or null.
template <typename Power = CalledPower>
[[gnu::always_inline]] inline double vapourResistanceFactor(const MaterialRecord& m, double phi,
                                                            int32_t* hint = nullptr) {
  if (m.bmytab.rows() < 1) return 1.0;
  return lookupLogUnit<Power>(m.bmytab, phi, hint);
}
// Thermal conductivity [W/(m K)] at water content w [kg/m3] and temperature T [degC]:
// bltemptab(T) + bltab(w) - y of bltab row 1, both parts linear and held constant beyond
// the table ends; an empty table contributes 0 (and so does the row-1 offset of an empty
// bltab).
inline double thermalConductivity(const MaterialRecord& m, double w, double T) {
  // the moisture part is added as an offset from the dry value (row 1 of bltab)
  const double temperaturePart = m.bltemptab.rows() >= 1 ? lookupClamped(m.bltemptab, T) : 0.0;
  const double moisturePart = m.bltab.rows() >= 1 ? lookupClamped(m.bltab, w) : 0.0;
  const double dryValue = m.bltab.rows() >= 1 ? m.bltab.y(1) : 0.0;
  return temperaturePart + moisturePart - dryValue;
}
// Enthalpy [J/kg dry material] at T [degC]: piecewise linear through enttab, extended with
// the end slopes; its slope [J/(kg K)] at T. Called with nEnthalpy >= 1; an empty table
// gives 0.
inline double enthalpy(const MaterialRecord& m, double T) {
  if (m.enttab.rows() < 1) return 0.0;
  return lookupSloped(m.enttab, T);
}
inline double enthalpySlope(const MaterialRecord& m, double T) {
  if (m.enttab.rows() < 1) return 0.0;
  return slopeAt(m.enttab, T);
}

}  // namespace tamo
