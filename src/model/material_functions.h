// Loading of material functions (tables or parameters) into a material record.
//
// Kinds and tables: 1 moisture storage (sortab), 2 liquid transport for suction (fktabs),
// 3 liquid transport for redistribution (fktabr), 4 thermal conductivity over water content
// (bltab), 5 thermal conductivity over temperature (bltemptab), 6 vapour diffusion
// resistance factor (bmytab), 7 enthalpy over temperature (enttab).
#pragma once

#include <cstdint>

#include "model/material_record.h"

namespace tamo {

// Smallest liquid transport coefficient a loaded table holds, so that the logarithmic
// lookups never meet zero.
inline constexpr double kLiquidCoefficientFloor = 1e-16;

// Loads function `kind` (1..7) from n points xs(1..n), ys(1..n) or, with analytic = 1,
// from parameters, after the argument checks of the exported operation passed (n >= 0,
// kind and analytic valid, xs/ys readable where used). The new table is built completely
// before it replaces the old one. Returns 0, -12 when more than 32767 rows would result or
// -11 on allocation failure; in both failure cases the record is unchanged.
int32_t loadMaterialFunction(MaterialRecord& m, int32_t kind, int32_t analytic, int32_t n,
                             const double* xs, const double* ys);

}  // namespace tamo
