// Heat and moisture that one source delivers for a given node state.
#pragma once

#include <cstdint>

namespace tamo {

struct Context;

void sourceQuantity(Context& ctx, int32_t number, const double* temperature,
                    const double* humidity, double* heat, double* moisture);

}  // namespace tamo
