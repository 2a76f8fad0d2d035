// Context table inside a program whose other tests own contexts too: deleting one context
// leaves the others alone (growth and slot reuse from the first create are tested in
// interface_table, whose program starts with an untouched table).
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "interface/context_table.h"
#include "model/context.h"
#include "tamo1dkernel.h"

namespace {

// Deletes the listed handles at the end of a test, whatever happened in between.
class OwnedHandles {
 public:
  OwnedHandles() = default;
  OwnedHandles(const OwnedHandles&) = delete;
  OwnedHandles& operator=(const OwnedHandles&) = delete;
  ~OwnedHandles() {
    for (int32_t h : handles_) tamoDeleteContext(h);
  }
  int32_t create() {
    const int32_t h = tamoCreateContext();
    if (h >= 1) handles_.push_back(h);
    return h;
  }
  void forget(int32_t h) {
    handles_.erase(std::remove(handles_.begin(), handles_.end(), h), handles_.end());
  }

 private:
  std::vector<int32_t> handles_;
};

TEST(ContextTable, DeletingOneContextLeavesTheOthersAlone) {
  OwnedHandles owned;
  const int32_t first = owned.create();
  const int32_t second = owned.create();
  const int32_t third = owned.create();
  ASSERT_GE(std::min({first, second, third}), 1);

  const double X1[3] = {0.0, 0.1, 0.2};
  const double X2[4] = {1.0, 1.5, 2.5, 4.0};
  const double X3[2] = {-1.0, 0.0};
  const int32_t mat[4] = {0, 1, 2, 1};
  ASSERT_EQ(tamoSetGrid(first, 3, X1, 0.0, mat), TAMO_OK);
  ASSERT_EQ(tamoSetGrid(second, 4, X2, 0.5, mat), TAMO_OK);
  ASSERT_EQ(tamoSetGrid(third, 2, X3, 0.0, mat), TAMO_OK);
  ASSERT_EQ(tamoSetMaterial(first, 2, 700.0, 0.4, 1000.0, 0), TAMO_OK);
  ASSERT_EQ(tamoSetMaterial(second, 2, 2300.0, 0.15, 850.0, 1), TAMO_OK);
  ASSERT_EQ(tamoSetParameter(second, 1, 1, 1, 1, 0, 0, 1, 0, 0, 0, 0), TAMO_OK);

  ASSERT_EQ(tamoDeleteContext(second), TAMO_OK);
  owned.forget(second);
  EXPECT_EQ(tamo::findContext(second), nullptr);
  double out[5];
  EXPECT_EQ(tamoGetGrid(second, 4, out), TAMO_INVALID_HANDLE);

  ASSERT_EQ(tamoGetGrid(first, 4, out), TAMO_OK);
  EXPECT_EQ(out[0], 0.0);
  EXPECT_EQ(out[1], 0.1);
  EXPECT_EQ(out[2], 0.2);
  EXPECT_EQ(out[3], 0.2);
  ASSERT_EQ(tamoGetGrid(third, 3, out), TAMO_OK);
  EXPECT_EQ(out[0], -1.0);
  EXPECT_EQ(out[1], 0.0);
  EXPECT_EQ(out[2], 0.0);
  const tamo::Context& ctx1 = *tamo::findContext(first);
  EXPECT_EQ(ctx1.handle, first);
  EXPECT_EQ(ctx1.materials[2].rho, 700.0);
  EXPECT_EQ(ctx1.materialCount, 2);
  EXPECT_FALSE(tamo::isTrue(ctx1.parametersSet));
  EXPECT_EQ(tamo::findContext(third)->handle, third);
  EXPECT_EQ(tamo::findContext(third)->materialCount, 1);

  // The freed slot goes to the next new context, which starts empty.
  const int32_t again = owned.create();
  ASSERT_EQ(again, second);
  EXPECT_EQ(tamoGetGrid(again, 4, out), TAMO_NO_GRID);
  EXPECT_FALSE(tamo::isTrue(tamo::findContext(again)->parametersSet));
  EXPECT_EQ(tamo::findContext(again)->materialCount, 0);
}

}  // namespace
