// Grid build: interface positions, element materials, geometry factors, node and interface
// arrays and empty material records.
#pragma once

#include <cstdint>

namespace tamo {

struct Context;

// Largest number of interface positions a grid may have; larger grids are refused as
// an allocation failure (-11) instead of exhausting the host's memory.
inline constexpr int32_t kMaxInterfaceCount = 4194304;

// Builds the grid from N positions X(1..N), radius R (> 0 radial) and element materials
// mat(1..N) (entry 1 ignored). Returns 0 or -11; on -11 gridDefined stays false.
int32_t buildGrid(Context& ctx, int32_t N, const double* X, double R, const int32_t* mat);

}  // namespace tamo
