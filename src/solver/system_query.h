// Copies of the last tridiagonal system to the host.
#pragma once

#include <cstdint>

namespace tamo {

struct Context;

// Copies entries 1..count of systemLower, systemDiagonal, systemUpper and
// systemRightHandSide, in this order, into the four host arrays. count < 1 copies nothing;
// the caller limits count to the node count.
void copySystem(const Context& ctx, int32_t count, double* lower, double* diagonal, double* upper,
                double* rightHandSide);

}  // namespace tamo
