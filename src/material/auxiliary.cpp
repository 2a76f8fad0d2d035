// PLACEHOLDER: replace with the real implementation.
#include "material/auxiliary.h"

namespace tamo {

void derivativesHarmonic(int32_t, const double*, const double*, double*, double, int32_t* ierr) { *ierr = 1; }
void derivativesParabolic(int32_t, const double*, const double*, double*, double, int32_t* ierr) { *ierr = 1; }
void tensionsFromInflections(int32_t, const double*, const double*, double*, double) {}
void tensionsByShape(int32_t, const double*, const double*, double*, double, double, int32_t* ierr) { *ierr = 1; }

}  // namespace tamo
