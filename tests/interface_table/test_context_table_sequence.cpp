// Context table from its very first use: this program's only test, so the table does not
// exist until the test creates the first context.
#include <gtest/gtest.h>

#include "interface/context_table.h"
#include "tamo1dkernel.h"

namespace {

TEST(ContextTableSequence, HandlesCapacityAndReuseFromTheFirstCreate) {
  // Before the first create there is no table: every handle is invalid.
  EXPECT_EQ(tamo::contextTableCapacity(), 0);
  for (int32_t h : {1, 0, -1, 2}) {
    EXPECT_EQ(tamoDeleteContext(h), TAMO_INVALID_HANDLE) << h;
    double out = 3.0;
    EXPECT_EQ(tamoGetGrid(h, 1, &out), TAMO_INVALID_HANDLE) << h;
    EXPECT_EQ(out, 3.0);
  }
  EXPECT_EQ(tamo::contextTableCapacity(), 0);

  // 1 and 2; the third grows the table to 4; the fifth grows it to 8.
  EXPECT_EQ(tamoCreateContext(), 1);
  EXPECT_EQ(tamo::contextTableCapacity(), 1);
  EXPECT_EQ(tamoCreateContext(), 2);
  EXPECT_EQ(tamo::contextTableCapacity(), 2);
  EXPECT_EQ(tamoCreateContext(), 3);
  EXPECT_EQ(tamo::contextTableCapacity(), 4);

  // Delete 2: the next create returns 2, the one after 4 (no growth).
  EXPECT_EQ(tamoDeleteContext(2), TAMO_OK);
  EXPECT_EQ(tamoDeleteContext(2), TAMO_INVALID_HANDLE);
  EXPECT_EQ(tamoCreateContext(), 2);
  EXPECT_EQ(tamoCreateContext(), 4);
  EXPECT_EQ(tamo::contextTableCapacity(), 4);
  EXPECT_EQ(tamoCreateContext(), 5);
  EXPECT_EQ(tamo::contextTableCapacity(), 8);
  EXPECT_EQ(tamoDeleteContext(9), TAMO_INVALID_HANDLE);  // capacity + 1
  EXPECT_EQ(tamoDeleteContext(8), TAMO_INVALID_HANDLE);  // empty slot inside the table

  // A freed slot is reused even when higher slots are free.
  EXPECT_EQ(tamoDeleteContext(1), TAMO_OK);
  EXPECT_EQ(tamoCreateContext(), 1);
  EXPECT_EQ(tamoCreateContext(), 6);

  // Delete everything, then create: handle 1, and the capacity stays 8.
  for (int32_t h = 1; h <= 6; ++h) EXPECT_EQ(tamoDeleteContext(h), TAMO_OK) << h;
  EXPECT_EQ(tamo::contextTableCapacity(), 8);
  EXPECT_EQ(tamoCreateContext(), 1);
  EXPECT_EQ(tamo::contextTableCapacity(), 8);

  // Filling all eight slots and one more doubles again, to 16, with handle 9.
  for (int32_t h = 2; h <= 8; ++h) EXPECT_EQ(tamoCreateContext(), h);
  EXPECT_EQ(tamoCreateContext(), 9);
  EXPECT_EQ(tamo::contextTableCapacity(), 16);
}

}  // namespace
