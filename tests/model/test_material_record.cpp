// Material records: range of material numbers, the dry properties, the maximum water
// content derived from the porosity, and what a repeated definition leaves alone.
#include <gtest/gtest.h>

#include "interface/context_table.h"
#include "model/context.h"
#include "support/scoped_context.h"
#include "tamo1dkernel.h"

namespace {

using tamo::test_support::ScopedContext;

// Grid of three elements with materials 2, 1, 3 (M = 3).
int32_t defineGrid(const ScopedContext& c) {
  const double X[4] = {0.0, 0.01, 0.03, 0.06};
  const int32_t mat[4] = {0, 2, 1, 3};
  return tamoSetGrid(c.handle(), 4, X, 0.0, mat);
}

TEST(MaterialRecord, MaterialNumberRange) {
  ScopedContext c;
  const int32_t h = c.handle();
  // Before the grid no record exists.
  for (int32_t m : {-1, 0, 1, 2, 3}) {
    EXPECT_EQ(tamoSetMaterial(h, m, 1000.0, 0.1, 900.0, 0), TAMO_BAD_MATERIAL) << m;
  }
  ASSERT_EQ(defineGrid(c), TAMO_OK);
  EXPECT_EQ(tamoSetMaterial(h, 0, 1000.0, 0.1, 900.0, 0), TAMO_BAD_MATERIAL);
  EXPECT_EQ(tamoSetMaterial(h, 4, 1000.0, 0.1, 900.0, 0), TAMO_BAD_MATERIAL);
  EXPECT_EQ(tamoSetMaterial(h, -2147483647 - 1, 1000.0, 0.1, 900.0, 0), TAMO_BAD_MATERIAL);
  EXPECT_EQ(tamoSetMaterial(h, 2147483647, 1000.0, 0.1, 900.0, 0), TAMO_BAD_MATERIAL);
  // A refused call defines nothing.
  for (int m = 1; m <= 3; ++m) {
    EXPECT_FALSE(tamo::isTrue(c.ctx().materialDefined[m])) << m;
    EXPECT_EQ(c.ctx().materials[m].rho, 0.0) << m;
  }
  EXPECT_EQ(tamoSetMaterial(h, 3, 1000.0, 0.1, 900.0, 0), TAMO_OK);
  EXPECT_EQ(tamoSetMaterial(h, 1, 1000.0, 0.1, 900.0, 0), TAMO_OK);
}

}  // namespace
