#include "solver/system_query.h"

#include <algorithm>

#include "model/context.h"

namespace tamo {

void copySystem(const Context& ctx, int32_t count, double* lower, double* diagonal, double* upper,
                double* rightHandSide) {
  if (count < 1) return;
  const std::size_t entries = static_cast<std::size_t>(count);
  std::copy_n(ctx.systemLower.data1(), entries, lower);
  std::copy_n(ctx.systemDiagonal.data1(), entries, diagonal);
  std::copy_n(ctx.systemUpper.data1(), entries, upper);
  std::copy_n(ctx.systemRightHandSide.data1(), entries, rightHandSide);
}

}  // namespace tamo
