// Guarded tridiagonal solve in place: row i reads b_i x_i - a_i x_(i-1) - c_i x_(i+1) = d_i.
#pragma once

#include <cstdint>

#include "model/one_based.h"

namespace tamo {

// Fixes rows 1 and n at the values x holds, eliminates forward (overwriting c and d) and
// substitutes back into x. Pivots below 1e-25 in magnitude use the reciprocal +-1e9.
void solveTridiagonal(int32_t n, OneBased<double>& c, OneBased<double>& b,
                      OneBased<double>& a, OneBased<double>& d, const HostArray<double>& x);

}  // namespace tamo
