// PLACEHOLDER: replace with the real implementation.
#include "material/properties.h"

namespace tamo {

double liquidTransportCoefficient(const MaterialRecord&, double, bool) { return 0.0; }
double vapourResistanceFactor(const MaterialRecord&, double) { return 1.0; }
double thermalConductivity(const MaterialRecord&, double, double) { return 0.0; }
double enthalpy(const MaterialRecord&, double) { return 0.0; }
double enthalpySlope(const MaterialRecord&, double) { return 0.0; }

}  // namespace tamo
