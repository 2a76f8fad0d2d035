// Loading of material functions (tables or parameters) into a material record.
#pragma once

#include <cstdint>

#include "model/material_record.h"

namespace tamo {

// Loads function `kind` (1..7) from n points or parameters after the argument checks of
// the exported operation passed. Returns 0, -12 when more than 32767 rows would result
// (nothing changed) or -11 on allocation failure.
int32_t loadMaterialFunction(MaterialRecord& m, int32_t kind, int32_t analytic, int32_t n,
                             const double* xs, const double* ys);

}  // namespace tamo
