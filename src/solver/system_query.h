// Copies of the last tridiagonal system to the host.
#pragma once

#include <cstdint>

namespace tamo {

struct Context;

void copySystem(const Context& ctx, int32_t count, double* lower, double* diagonal,
                double* upper, double* rightHandSide);

}  // namespace tamo
