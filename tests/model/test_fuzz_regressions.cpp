// Inputs found by the API fuzzer that once misbehaved, each reduced to its smallest form.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "interface/context_table.h"
#include "model/context.h"
#include "model/sources.h"
#include "tamo1dkernel.h"

namespace {

// A source number near 1.9e9 made the source table grow to that many records (about
// 240 GB): the allocation aborted the process under AddressSanitizer, and numbers of a few
// ten million succeeded and filled gigabytes. Numbers above the ceiling are now refused as
// a table that cannot be enlarged, before anything changes; the ceiling itself still works.
TEST(FuzzRegressionSources, HugeSourceNumberIsRefusedWithoutGrowingTheTable) {
  const int32_t h = tamoCreateContext();
  ASSERT_GE(h, 1);
  const double x[2] = {0.0, 0.1};
  const int32_t mat[2] = {0, 1};
  ASSERT_EQ(tamoSetGrid(h, 2, x, 0.0, mat), TAMO_OK);
  ASSERT_EQ(tamoSetParameter(h, 1, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0), TAMO_OK);
  const double values[3] = {1.0, 0.0, 0.0};
  const tamo::Context& ctx = *tamo::findContext(h);

  for (int32_t number :
       {1879048192, std::numeric_limits<int32_t>::max(), tamo::kMaxSourceNumber + 1}) {
    for (int32_t type = 0; type <= 2; ++type) {
      EXPECT_EQ(tamoSetSource(h, number, type, 0, 1, 0.0, 0.1, values), TAMO_NO_MEMORY)
          << number << " type " << type;
    }
    EXPECT_EQ(ctx.sourceCount + ctx.heatSourceCount + ctx.moistureSourceCount, 0);
    EXPECT_EQ(ctx.sources.size(), 0u);
    EXPECT_EQ(tamoUpdateSource(h, number, values), TAMO_BAD_SOURCE_NUMBER);
  }

  // The highest accepted number grows the table once; the lower ones then fit in it.
  EXPECT_EQ(tamoSetSource(h, tamo::kMaxSourceNumber, 0, 0, 0, 0.0, 0.1, values), TAMO_OK);
  EXPECT_EQ(ctx.sourceCount, tamo::kMaxSourceNumber);
  EXPECT_EQ(tamoSetSource(h, 7, 1, 0, 0, 0.0, 0.1, values), TAMO_OK);
  EXPECT_EQ(ctx.sourceCount, tamo::kMaxSourceNumber);
  // Other refusals keep their own codes and their order ahead of the ceiling.
  EXPECT_EQ(tamoSetSource(h, tamo::kMaxSourceNumber, 0, 0, 0, 0.0, 0.1, values), TAMO_ALREADY_SET);
  EXPECT_EQ(tamoSetSource(h, tamo::kMaxSourceNumber + 1, 2, 0, 0, 0.0, 0.1, values),
            TAMO_BAD_ARGUMENT);
  EXPECT_EQ(tamoSetSource(h, tamo::kMaxSourceNumber + 1, 0, 0, 0, 0.0, 0.1, nullptr),
            TAMO_NULL_ARRAY);
  EXPECT_EQ(tamoDeleteContext(h), TAMO_OK);
}

}  // namespace
