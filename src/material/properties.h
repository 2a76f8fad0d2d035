// Transport and thermal properties of a material, read from its tables.
#pragma once

#include "model/material_record.h"

namespace tamo {

// Liquid transport coefficient at water content w, from fktabs (suction) or fktabr;
// 0 for an empty table.
double liquidTransportCoefficient(const MaterialRecord& m, double w, bool suction);
// Vapour diffusion resistance factor at phi; 1 when the material has no table.
double vapourResistanceFactor(const MaterialRecord& m, double phi);
// Thermal conductivity: bltemptab(T) + bltab(w) - y of bltab row 1; a missing table adds 0.
double thermalConductivity(const MaterialRecord& m, double w, double T);
// Enthalpy per kg of dry material at T and its slope; need nEnthalpy >= 1.
double enthalpy(const MaterialRecord& m, double T);
double enthalpySlope(const MaterialRecord& m, double T);

}  // namespace tamo
