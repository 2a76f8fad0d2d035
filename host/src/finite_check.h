// Guards the time loop against non-finite results: the library may return a state with
// NaN or infinity in it under any status (an iteration that left the range of the
// material functions, an overflowing term). Such a state is never accepted.
#ifndef TAMO1D_FINITE_CHECK_H
#define TAMO1D_FINITE_CHECK_H

#include <string>
#include <vector>

#include "grid_builder.h"

namespace tamo1d {

// "" when every node temperature and humidity and every interior water content is
// finite; else names the first offender: quantity, library node number and its layer,
// e.g. "non-finite humidity (nan) at node 37 (layer 2)". Node arrays as the step takes them (n
// entries, entry k-1 = node k).
std::string findNonFinite(const Grid& grid, const std::vector<double>& temperature,
                          const std::vector<double>& humidity,
                          const std::vector<double>& waterContent);

}  // namespace tamo1d

#endif
