// The split power and the exponential against the C library's pow and exp, bit for bit,
// where the C library computes them with the same algorithm (glibc 2.28 or later on a
// processor with FMA and AVX2).
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "material/power.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool libraryPowIsTheSameAlgorithm() {
#if defined(__GLIBC__) && defined(__x86_64__) && defined(__GNUC__)
  return (__GLIBC__ > 2 || __GLIBC_MINOR__ >= 28) && __builtin_cpu_supports("fma") &&
         __builtin_cpu_supports("avx2");
#else
  return false;
#endif
}

// Bits equal, or both NaN.
void expectSamePow(double x, double y) {
  const double expected = std::pow(x, y);
  const double whole = tamo::power(x, y);
  const double split = tamo::powerFromBase(x, tamo::powerBase(x), y);
  if (std::isnan(expected)) {
    EXPECT_TRUE(std::isnan(whole) && std::isnan(split)) << std::hexfloat << x << " ^ " << y;
    return;
  }
  ASSERT_EQ(std::bit_cast<uint64_t>(whole), std::bit_cast<uint64_t>(expected))
      << std::hexfloat << x << " ^ " << y;
  ASSERT_EQ(std::bit_cast<uint64_t>(split), std::bit_cast<uint64_t>(expected))
      << std::hexfloat << x << " ^ " << y;
}

void expectSameExp(double x) {
  const double expected = std::exp(x);
  const double mine = tamo::exponential(x);
  if (std::isnan(expected)) {
    EXPECT_TRUE(std::isnan(mine)) << std::hexfloat << x;
    return;
  }
  ASSERT_EQ(std::bit_cast<uint64_t>(mine), std::bit_cast<uint64_t>(expected)) << std::hexfloat << x;
}

TEST(Power, EqualsTheLibraryPowAndExpBitForBit) {
  if (!libraryPowIsTheSameAlgorithm()) GTEST_SKIP() << "the C library's pow is another one";
  std::mt19937_64 random(20261206);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int i = 0; i < 400000; ++i) {
    // table row ratios over twelve decades at fractions around 0..1
    expectSamePow(std::exp(28.0 * (unit(random) - 0.5)), 2.0 * unit(random) - 0.5);
    // the still-air permeability's (T + 273.15)^0.81
    expectSamePow(200.0 + 200.0 * unit(random), 0.81);
    // any bit pattern: zeros, negatives, subnormals, infinities, NaNs, extreme exponents
    expectSamePow(std::bit_cast<double>(random()), std::bit_cast<double>(random()));
    // saturation pressure exponents, and any bit pattern
    expectSameExp(40.0 * (unit(random) - 0.5));
    expectSameExp(std::bit_cast<double>(random()));
  }
  for (double x : {0.0, 0x1p-60, -0x1p-60, 709.0, 710.0, -745.0, -746.0, kInf, -kInf, kNaN}) {
    expectSameExp(x);
  }
  for (double x : {0.0, -0.0, -2.0, 1.0, 0x1p-1074, kInf, kNaN}) {
    for (double y : {0.0, 1.0, -1.0, 0.5, 3.0, 0x1p-70, 0x1p70, kInf, kNaN}) {
      expectSamePow(x, y);
    }
  }
  // results near overflow and underflow
  expectSamePow(1e300, 1.02);
  expectSamePow(1e-300, 1.05);
  expectSamePow(2.0, 1023.9999);
}

TEST(Power, BaseOffTheMainPathIsMarked) {
  for (double x : {0.0, -1.0, 0x1p-1074, kInf, kNaN}) EXPECT_FALSE(tamo::powerBase(x).valid);
  const tamo::PowerBase e = tamo::powerBase(std::exp(1.0));
  EXPECT_TRUE(e.valid);
  EXPECT_NEAR(e.hi, 1.0, 1e-15);
  EXPECT_LT(std::fabs(e.lo), 1e-16);
}

}  // namespace
