// Transport and thermal properties of a material, read from its tables with the lookups.
// All are pure, allocate nothing and read only rows the tables hold.
#pragma once

#include "model/material_record.h"

namespace tamo {

// Liquid transport coefficient at water content w [kg/m3], from fktabs (suction) or fktabr
// (redistribution): logarithmic interpolation, the last value from min(wf, last w) on, the
// first segment extended logarithmically below the first w; 0 for an empty table.
double liquidTransportCoefficient(const MaterialRecord& m, double w, bool suction);
// Vapour diffusion resistance factor [-] at relative humidity phi: logarithmic
// interpolation of bmytab, the first value for phi <= 0, the last for phi > 1; 1 (still
// air) when the material has no table.
double vapourResistanceFactor(const MaterialRecord& m, double phi);
// Thermal conductivity [W/(m K)] at water content w [kg/m3] and temperature T [degC]:
// bltemptab(T) + bltab(w) - y of bltab row 1, both parts linear and held constant beyond
// the table ends; an empty table contributes 0 (and so does the row-1 offset of an empty
// bltab).
double thermalConductivity(const MaterialRecord& m, double w, double T);
// Enthalpy [J/kg dry material] at T [degC]: piecewise linear through enttab, extended with
// the end slopes; its slope [J/(kg K)] at T. Called with nEnthalpy >= 1; an empty table
// gives 0.
double enthalpy(const MaterialRecord& m, double T);
double enthalpySlope(const MaterialRecord& m, double T);

}  // namespace tamo
