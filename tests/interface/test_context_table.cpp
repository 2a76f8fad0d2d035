// Context table inside a program whose other tests own contexts too: deleting one context
// leaves the others alone (growth and slot reuse from the first create are tested in
// interface_table, whose program starts with an untouched table).
#include <gtest/gtest.h>

#include "interface/context_table.h"
#include "model/context.h"
#include "tamo1dkernel.h"

namespace {

TEST(ContextTable, DeletingOneContextLeavesTheOthersAlone) {
  const int32_t first = tamoCreateContext();
  const int32_t second = tamoCreateContext();
  ASSERT_GE(first, 1);
  ASSERT_GE(second, 1);
  const double X1[3] = {0.0, 0.1, 0.2};
  const double X2[4] = {1.0, 1.5, 2.5, 4.0};
  const int32_t mat[4] = {0, 1, 2, 1};
  ASSERT_EQ(tamoSetGrid(first, 3, X1, 0.0, mat), TAMO_OK);
  ASSERT_EQ(tamoSetGrid(second, 4, X2, 0.5, mat), TAMO_OK);
  ASSERT_EQ(tamoSetMaterial(first, 2, 700.0, 0.4, 1000.0, 0), TAMO_OK);
  ASSERT_EQ(tamoSetMaterial(second, 2, 2300.0, 0.15, 850.0, 1), TAMO_OK);
  ASSERT_EQ(tamoSetParameter(second, 1, 1, 1, 1, 0, 0, 1, 0, 0, 0, 0), TAMO_OK);

  ASSERT_EQ(tamoDeleteContext(second), TAMO_OK);
  EXPECT_EQ(tamo::findContext(second), nullptr);
  double out[4];
  EXPECT_EQ(tamoGetGrid(second, 4, out), TAMO_INVALID_HANDLE);
  ASSERT_EQ(tamoGetGrid(first, 4, out), TAMO_OK);
  EXPECT_EQ(out[1], 0.1);
  EXPECT_EQ(out[3], 0.2);
  const tamo::Context& ctx1 = *tamo::findContext(first);
  EXPECT_EQ(ctx1.handle, first);
  EXPECT_EQ(ctx1.materials[2].rho, 700.0);
  EXPECT_EQ(ctx1.materialCount, 2);
  EXPECT_FALSE(tamo::isTrue(ctx1.parametersSet));

  // The freed slot goes to the next new context, which starts empty.
  const int32_t again = tamoCreateContext();
  EXPECT_EQ(again, second);
  EXPECT_EQ(tamoGetGrid(again, 4, out), TAMO_NO_GRID);
  EXPECT_FALSE(tamo::isTrue(tamo::findContext(again)->parametersSet));
  EXPECT_EQ(tamo::findContext(again)->materialCount, 0);
  EXPECT_EQ(tamoDeleteContext(again), TAMO_OK);
  EXPECT_EQ(tamoDeleteContext(first), TAMO_OK);
}

}  // namespace
