// The node loop shared by the balance assemblies: rows 2..n-1 shared among the step's team
// with a guided schedule (chunk 1) and no closing barrier. Each thread carries the east
// quantities of a node to the next node when that is the direct successor it takes, and
// computes the west side afresh at the first node of a chunk; both give the same values.
#pragma once

#include <omp.h>

#include <cstdint>

// Placed after the parameter list of a row lambda: inlines the row body into the node loop,
// so that the carry stays with the loop instead of travelling through memory (GCC and
// Clang; other compilers decide for themselves).
#if defined(__GNUC__)
#define TAMO_ROW_INLINE __attribute__((always_inline))
#else
#define TAMO_ROW_INLINE
#endif

namespace tamo {

// Runs row(i, carry) for i = first..last in order with one carry, started by fresh(first).
template <typename Fresh, typename Row>
void forNodeRange(int32_t first, int32_t last, Fresh&& fresh, Row&& row) {
  auto carry = fresh(first);
  for (int32_t i = first; i <= last; ++i) row(i, carry);
}

// Runs row(i, carry) for the interior nodes 2..n-1 of a grid of n nodes. Called by every
// thread of the team; a team of one takes every node in one chunk, which gives the same
// rows without the work-sharing runtime's bookkeeping.
template <typename Fresh, typename Row>
void forEachInteriorNode(int32_t n, Fresh&& fresh, Row&& row) {
  if (omp_get_num_threads() == 1) {
    if (n - 1 >= 2) forNodeRange(2, n - 1, fresh, row);
    return;
  }
  decltype(fresh(2)) carry;
  int32_t last = -1;  // node this thread finished last
#pragma omp for schedule(guided, 1) nowait
  for (int32_t i = 2; i <= n - 1; ++i) {
    if (i != last + 1) carry = fresh(i);
    row(i, carry);
    last = i;
  }
}

}  // namespace tamo
