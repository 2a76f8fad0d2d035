// Inputs found by the API fuzzer that once misbehaved, each reduced to its smallest form.
#include <gtest/gtest.h>

#include <cstdint>

#include "tamo1dkernel.h"

namespace {

// tamoGetTransport on a context without a grid answered 0 for null arrays with count >= 1,
// where its documentation (and tamoGetSolver in the same situation) answers -21: the null
// test now runs before the grid test, so a host learns of its null array at once.
TEST(FuzzRegressionQueries, NullArraysOfTheCoefficientQueriesBeforeAGrid) {
  const int32_t h = tamoCreateContext();
  ASSERT_GE(h, 1);
  double a = 5.0, b = 6.0, c = 7.0, d = 8.0;
  EXPECT_EQ(tamoGetTransport(h, 1, nullptr, &b, &c), TAMO_NULL_ARRAY);
  EXPECT_EQ(tamoGetTransport(h, 1, &a, nullptr, &c), TAMO_NULL_ARRAY);
  EXPECT_EQ(tamoGetTransport(h, 1, &a, &b, nullptr), TAMO_NULL_ARRAY);
  EXPECT_EQ(tamoGetSolver(h, 1, &a, &b, nullptr, &d), TAMO_NULL_ARRAY);
  // Count 0 touches no array, so null stays fine; before a grid nothing is copied.
  EXPECT_EQ(tamoGetTransport(h, 0, nullptr, nullptr, nullptr), TAMO_OK);
  EXPECT_EQ(tamoGetTransport(h, 3, &a, &b, &c), TAMO_OK);
  EXPECT_EQ(tamoGetSolver(h, 3, &a, &b, &c, &d), TAMO_OK);
  EXPECT_EQ(a, 5.0);
  EXPECT_EQ(b, 6.0);
  EXPECT_EQ(c, 7.0);
  EXPECT_EQ(d, 8.0);
  EXPECT_EQ(tamoDeleteContext(h), TAMO_OK);
}

}  // namespace
