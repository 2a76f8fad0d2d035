// Transport and thermal properties of a material.
#include "material/properties.h"

#include "material/lookups.h"

namespace tamo {

double liquidTransportCoefficient(const MaterialRecord& m, double w, bool suction) {
  return lookupLogCapped(suction ? m.fktabs : m.fktabr, w, m.wf);
}

double vapourResistanceFactor(const MaterialRecord& m, double phi) {
  if (m.bmytab.rows() < 1) return 1.0;
  return lookupLogUnit(m.bmytab, phi);
}

double thermalConductivity(const MaterialRecord& m, double w, double T) {
  // the moisture part is added as an offset from the dry value (row 1 of bltab)
  const double temperaturePart = m.bltemptab.rows() >= 1 ? lookupClamped(m.bltemptab, T) : 0.0;
  const double moisturePart = m.bltab.rows() >= 1 ? lookupClamped(m.bltab, w) : 0.0;
  const double dryValue = m.bltab.rows() >= 1 ? m.bltab.y(1) : 0.0;
  return temperaturePart + moisturePart - dryValue;
}

double enthalpy(const MaterialRecord& m, double T) {
  if (m.enttab.rows() < 1) return 0.0;
  return lookupSloped(m.enttab, T);
}

double enthalpySlope(const MaterialRecord& m, double T) {
  if (m.enttab.rows() < 1) return 0.0;
  return slopeAt(m.enttab, T);
}

}  // namespace tamo
