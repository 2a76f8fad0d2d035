// Entry points of power.h: the algorithm of power_algorithm.h, compiled for processors
// with and without fused multiply-add.
#include "material/power.h"

#include <cmath>

#include "material/power_algorithm.h"

namespace tamo {

TAMO_FMA_CLONES PowerBase powerBase(double x) {
  return power_algorithm::logarithm(x);
}

TAMO_FMA_CLONES double powerFromBase(double x, const PowerBase& base, double y) {
  return InlinePower::fromBase(x, base, y);
}

TAMO_FMA_CLONES double power(double x, double y) {
  return InlinePower::of(x, y);
}

TAMO_FMA_CLONES double exponential(double x) {
  return InlinePower::exp(x);
}

}  // namespace tamo
