// PLACEHOLDER: replace with the real implementation.
#include "material/storage_function.h"

namespace tamo {

double storageValue(const MaterialRecord&, double, double* d) { if (d) *d = 0.0; return 0.0; }
int storageInverse(const MaterialRecord&, double, double* phi) { *phi = 0.0; return 0; }

}  // namespace tamo
