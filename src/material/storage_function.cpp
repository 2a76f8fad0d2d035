// Inverse of the moisture storage function: bisection on the relative humidity.
#include "material/storage_function.h"

#include <cmath>

#include "interface/result_codes.h"

namespace tamo {

namespace {

constexpr double kPhiMax = 1.01;  // relative humidity at which w reaches wmax

}  // namespace

int storageInverse(const MaterialRecord& m, double w, double* phi) {
  if (w <= 0.0) {
    *phi = 0.0;
    return kOk;
  }
  if (m.nStorage <= 0) {
    *phi = 0.0;
    return kBadTableLength;
  }
  if (w >= storageValue(m, kPhiMax)) {
    *phi = kPhiMax;
    return kOk;
  }
  double lo = 0.0;
  double hi = kPhiMax;
  double p = 0.505;
  do {
    const double wc = storageValue(m, p);
    if (wc == w) break;
    if (wc > w) {
      hi = p;
    } else {
      lo = p;
    }
    p = (lo + hi) / 2.0;
  } while (std::fabs(hi - lo) > 1e-12);
  *phi = p;
  return kOk;
}

}  // namespace tamo
