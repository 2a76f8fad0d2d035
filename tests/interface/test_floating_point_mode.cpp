// Denormals flush to zero inside the library; the caller's control word comes back unchanged.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "tamo1dkernel.h"

#if defined(__SSE__) || defined(__x86_64__) || defined(_M_X64)
#include <xmmintrin.h>

namespace {

constexpr unsigned kFlushToZero = 0x8000;
constexpr unsigned kDenormalsAreZero = 0x40;

// Product computed outside the library; volatile keeps the compiler from folding it.
double productHere(double a, double b) {
  volatile double x = a;
  volatile double y = b;
  return x * y;
}

TEST(FloatingPointMode, DenormalsFlushInsideOnlyAndCallerModeIsRestored) {
  const unsigned callerMode = _mm_getcsr();
  ASSERT_EQ(callerMode & (kFlushToZero | kDenormalsAreZero), 0u)
      << "the test program must start with gradual underflow";

  const double a[2] = {1.0, -3.0}, b[2] = {1e-160, 3e-160}, c[2] = {1e-160, -2e-160};
  double o1[2] = {9.0, 9.0}, o2[2] = {9.0, 9.0}, o3[2] = {9.0, 9.0};
  int32_t ierr = 9;
  test(2, a, b, c, o1, o2, o3, 4.5, &ierr);
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(o1[1], -6.0);
  // 1e-320 and -6e-320 lie below the smallest normal double: zero inside the library.
  EXPECT_EQ(o2[0], 0.0);
  EXPECT_EQ(o2[1], 0.0);

  EXPECT_EQ(_mm_getcsr(), callerMode);
  // The same product in the caller's mode is a non-zero denormal.
  EXPECT_EQ(std::fpclassify(productHere(1e-160, 1e-160)), FP_SUBNORMAL);

  // A denormal input is read as zero as well (denormals-are-zero): 1e-310 * 1e10 would be
  // 1e-300 in gradual underflow.
  const double tiny[1] = {1e-310};
  const double big[1] = {1e10};
  double p[1] = {9.0}, q[1] = {9.0}, r[1] = {9.0};
  test(1, tiny, tiny, big, p, q, r, 0.0, &ierr);
  EXPECT_EQ(q[0], 0.0);
  EXPECT_NE(productHere(1e-310, 1e10), 0.0);

  // A caller that runs with flush-to-zero itself gets exactly its own mode back too.
  const unsigned customMode = callerMode | kFlushToZero;
  _mm_setcsr(customMode);
  test(2, a, b, c, o1, o2, o3, 1.0, &ierr);
  const unsigned after = _mm_getcsr();
  _mm_setcsr(callerMode);
  EXPECT_EQ(after, customMode);

  // Operations with a handle run in the same mode and restore the caller's mode, also when
  // they refuse the call.
  const int32_t h = tamoCreateContext();
  ASSERT_GE(h, 1);
  EXPECT_EQ(tamoGetGrid(h, 1, o1), TAMO_NO_GRID);
  EXPECT_EQ(_mm_getcsr(), callerMode);
  EXPECT_EQ(tamoDeleteContext(h), TAMO_OK);
  EXPECT_EQ(_mm_getcsr(), callerMode);
}

}  // namespace

#endif
