// Context table built with TAMO_THREAD_SAFE_TABLE: hosts that create, use and delete their
// own contexts from several threads at once get distinct handles and intact contexts.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "interface/context_table.h"
#include "tamo1dkernel.h"

namespace {

TEST(ThreadSafeContextTable, ConcurrentCreateUseDeleteKeepsHandlesDistinct) {
  constexpr int kThreads = 4;
  constexpr int kRounds = 300;
  std::atomic<int> failures{0};
  std::vector<std::thread> workers;
  for (int t = 0; t < kThreads; ++t) {
    workers.emplace_back([t, &failures] {
      for (int r = 0; r < kRounds; ++r) {
        // Each thread keeps two contexts alive at a time, so creations interleave with the
        // growth of the table and with deletions of other threads.
        const int32_t first = tamoCreateContext();
        const int32_t second = tamoCreateContext();
        if (first < 1 || second < 1 || first == second) {
          ++failures;
          continue;
        }
        // Positions unique to this thread and round: another thread's grid must never show.
        const double base = 1000.0 * t + r;
        const double x[3] = {base, base + 0.5, base + 1.0};
        const int32_t mat[3] = {0, 1, 1};
        double out[4] = {};
        if (tamoSetGrid(first, 3, x, 0.0, mat) != TAMO_OK ||
            tamoGetGrid(first, 4, out) != TAMO_OK || out[0] != base || out[3] != base + 1.0) {
          ++failures;
        }
        if (tamoDeleteContext(first) != TAMO_OK || tamoDeleteContext(second) != TAMO_OK) {
          ++failures;
        }
      }
    });
  }
  for (std::thread& w : workers) w.join();
  EXPECT_EQ(failures.load(), 0);
  // Every slot was freed again: the next create takes the lowest slot, 1.
  const int32_t h = tamoCreateContext();
  EXPECT_EQ(h, 1);
  EXPECT_EQ(tamoDeleteContext(h), TAMO_OK);
  // At most 2 * kThreads contexts lived at once: the table never grew beyond twice that.
  EXPECT_LE(tamo::contextTableCapacity(), 4 * kThreads);
}

}  // namespace
