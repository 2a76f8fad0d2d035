// Context table inside a program whose other tests own contexts too: every expectation is
// relative to the table as found, and every context created here is deleted here.
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
  const std::vector<int32_t>& all() const { return handles_; }

 private:
  std::vector<int32_t> handles_;
};

TEST(ContextTable, FullTableDoublesAndGivesTheFirstNewSlot) {
  OwnedHandles owned;
  ASSERT_GE(owned.create(), 1);
  // Fill every free slot; the create that finds none doubles the table and takes the slot
  // just above the old capacity.
  int32_t capacity = tamo::contextTableCapacity();
  for (int growths = 0; growths < 3;) {
    const int32_t h = owned.create();
    ASSERT_GE(h, 1);
    const int32_t now = tamo::contextTableCapacity();
    if (now != capacity) {
      EXPECT_EQ(now, 2 * capacity);
      EXPECT_EQ(h, capacity + 1);
      capacity = now;
      ++growths;
    } else {
      EXPECT_LE(h, capacity);
    }
  }
  // Every handle given out is distinct and still valid.
  std::vector<int32_t> sorted = owned.all();
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
  for (int32_t h : sorted) {
    ASSERT_NE(tamo::findContext(h), nullptr) << h;
    EXPECT_EQ(tamo::findContext(h)->handle, h);
  }
}

TEST(ContextTable, LowestFreeSlotIsReusedAndCapacityNeverShrinks) {
  OwnedHandles owned;
  const int32_t a = owned.create();
  const int32_t b = owned.create();
  const int32_t c = owned.create();
  ASSERT_GE(a, 1);
  ASSERT_GE(b, 1);
  ASSERT_GE(c, 1);
  const int32_t capacity = tamo::contextTableCapacity();

  // Free the lowest and the middle one: the next creates return them lowest first.
  const int32_t low = std::min({a, b, c});
  const int32_t high = std::max({a, b, c});
  const int32_t middle = a + b + c - low - high;
  ASSERT_EQ(tamoDeleteContext(middle), TAMO_OK);
  owned.forget(middle);
  ASSERT_EQ(tamoDeleteContext(low), TAMO_OK);
  owned.forget(low);
  EXPECT_EQ(tamoDeleteContext(low), TAMO_INVALID_HANDLE);  // already deleted
  EXPECT_EQ(owned.create(), low);
  EXPECT_EQ(owned.create(), middle);
  EXPECT_EQ(tamo::contextTableCapacity(), capacity);

  // Deleting every context this test owns does not shrink the table.
  for (int32_t h : std::vector<int32_t>(owned.all())) {
    EXPECT_EQ(tamoDeleteContext(h), TAMO_OK);
    owned.forget(h);
  }
  EXPECT_EQ(tamo::contextTableCapacity(), capacity);
  EXPECT_EQ(owned.create(), low);
}

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
