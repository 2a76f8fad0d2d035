// PLACEHOLDER: replace with the real implementation.
#include "material/spline.h"

namespace tamo {

void splineBuild(int32_t, const double*, const double*, const double*, double*, double*, double*, double, int32_t* ierr) { *ierr = 1; }
double splineValue(int32_t, const double*, const double*, const double*, const double*, const double*, const double*, double, int32_t* ierr, double*) { *ierr = 1; return 0.0; }

}  // namespace tamo
