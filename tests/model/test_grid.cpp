// Grid build: radial factors against face radii, conservation of the discretised length,
// the smallest grids and the once-only definition.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "interface/context_table.h"
#include "model/context.h"
#include "support/scoped_context.h"
#include "tamo1dkernel.h"

namespace {

using tamo::test_support::ScopedContext;

constexpr std::array<double, 4> kX = {0.0, 0.01, 0.03, 0.06};
constexpr std::array<int32_t, 4> kMat = {9, 2, 1, 3};

int32_t setGrid(const ScopedContext& c, double radius) {
  return tamoSetGrid(c.handle(), 4, kX.data(), radius, kMat.data());
}

// Away from the first element the radial factors are face radius over centre radius, with
// r(x) = R + x - (X(1) + X(2)) / 2: neighbouring elements share their common face.
TEST(Grid, RadialFactorsReproduceFaceRadiiOnAnUnevenGrid) {
  const std::vector<double> X = {0.10, 0.102, 0.107, 0.115, 0.13, 0.16, 0.161};
  const std::vector<int32_t> mat(X.size(), 1);
  const double R = 0.35;
  ScopedContext c;
  const int32_t N = static_cast<int32_t>(X.size());
  ASSERT_EQ(tamoSetGrid(c.handle(), N, X.data(), R, mat.data()), TAMO_OK);
  const tamo::Context& ctx = c.ctx();
  auto radius = [&](double x) { return R + x - (X[0] + X[1]) / 2.0; };
  for (int k = 3; k <= N; ++k) {
    const double west = radius(X[k - 2]);
    const double east = radius(X[k - 1]);
    const double centre = (east + west) / 2.0;
    EXPECT_NEAR(ctx.eastAreaFactor[k], east / centre, 1e-13) << k;
    EXPECT_NEAR(ctx.westAreaFactor[k], west / centre, 1e-13) << k;
    EXPECT_NEAR(ctx.eastAreaFactor[k] / ctx.westAreaFactor[k], east / west, 1e-13) << k;
  }
  // The first element: quarter of its width over R.
  EXPECT_NEAR(ctx.eastAreaFactor[2], 1.0 + 0.002 / (4.0 * R), 1e-15);
  EXPECT_NEAR(ctx.westAreaFactor[2], 1.0 - 0.002 / (4.0 * R), 1e-15);
}

// The interior node volumes cover the component except half of the first and of the last
// element; the weights place each interface between its two node centres.
TEST(Grid, NodeVolumesConserveTheComponentLength) {
  const std::vector<double> X = {-0.02, -0.015, 0.0, 0.004, 0.03, 0.031, 0.05, 0.12};
  const std::vector<int32_t> mat = {0, 1, 1, 2, 2, 2, 1, 3};
  ScopedContext c;
  const int32_t N = static_cast<int32_t>(X.size());
  ASSERT_EQ(tamoSetGrid(c.handle(), N, X.data(), 0.0, mat.data()), TAMO_OK);
  const tamo::Context& ctx = c.ctx();
  double sum = 0.0;
  for (int k = 1; k <= N + 1; ++k) sum += ctx.nodeVolume[k];
  const double first = X[1] - X[0];
  const double last = X[N - 1] - X[N - 2];
  EXPECT_NEAR(sum, (X[N - 1] - X[0]) - first / 2.0 - last / 2.0, 1e-15);
  // inverseDistance: 1 / distance between node centres (the surfaces centre the ambient
  // nodes); the weight: the share of it on the side of the left node.
  EXPECT_NEAR(1.0 / ctx.inverseDistance[1], first / 2.0, 1e-15);
  EXPECT_NEAR(1.0 / ctx.inverseDistance[N], last / 2.0, 1e-15);
  for (int k = 2; k <= N - 1; ++k) {
    const double leftHalf = (X[k - 1] - X[k - 2]) / 2.0;
    const double rightHalf = (X[k] - X[k - 1]) / 2.0;
    EXPECT_NEAR(1.0 / ctx.inverseDistance[k], leftHalf + rightHalf, 1e-15) << k;
    EXPECT_NEAR(ctx.interfaceWeight[k] / ctx.inverseDistance[k], leftHalf, 1e-15) << k;
  }
}

TEST(Grid, SmallestGrids) {
  // N = 2: one interior node, both halvings apply to it: a quarter of the element.
  ScopedContext two;
  const double X[2] = {0.0, 0.08};
  const int32_t mat[2] = {0, 1};
  ASSERT_EQ(tamoSetGrid(two.handle(), 2, X, 0.0, mat), TAMO_OK);
  const tamo::Context& ctx = two.ctx();
  EXPECT_EQ(std::vector<double>({1.0 * ctx.nodeCount, ctx.nodeVolume[1], ctx.nodeVolume[2],
                                 ctx.nodeVolume[3], ctx.interfaceWeight[2], ctx.inverseDistance[1],
                                 ctx.inverseDistance[2], 1.0 * ctx.nodeMaterial[2],
                                 1.0 * ctx.nodeMaterial[3]}),
            std::vector<double>({3.0, 0.0, 0.02, 0.0, 1.0, 25.0, 25.0, 1.0, 0.0}));
  // N = 1: no interior node; accepted, materials may be absent, radius has no effect.
  ScopedContext one;
  ASSERT_EQ(tamoSetGrid(one.handle(), 1, X + 1, 2.0, nullptr), TAMO_OK);
  EXPECT_EQ(one.ctx().nodeCount, 2);
  EXPECT_EQ(one.ctx().materialCount, 0);
  EXPECT_EQ(one.ctx().eastAreaFactor[2], 1.0);
  double out[3] = {-1.0, -1.0, -1.0};
  EXPECT_EQ(tamoGetGrid(one.handle(), 3, out), TAMO_OK);
  EXPECT_EQ(std::vector<double>(out, out + 3), std::vector<double>({0.08, 0.08, -1.0}));
}

TEST(Grid, DefinedOnceAndRefusedCallsChangeNothing) {
  ScopedContext c;
  const int32_t h = c.handle();
  // Refused before a grid exists: the context stays without grid.
  EXPECT_EQ(tamoSetGrid(h, 0, kX.data(), 0.0, kMat.data()), TAMO_BAD_ARGUMENT);
  EXPECT_EQ(tamoSetGrid(h, -4, kX.data(), 0.0, kMat.data()), TAMO_BAD_ARGUMENT);
  EXPECT_EQ(tamoSetGrid(h, 4, nullptr, 0.0, kMat.data()), TAMO_NULL_ARRAY);
  EXPECT_EQ(tamoSetGrid(h, 4, kX.data(), 0.0, nullptr), TAMO_NULL_ARRAY);
  // An oversized count is refused before more positions are read than given, and then as an
  // allocation failure that leaves no partial grid behind.
  EXPECT_EQ(tamoSetGrid(h, 2147483647, kX.data(), 0.0, nullptr), TAMO_NULL_ARRAY);
  EXPECT_EQ(tamoSetGrid(h, 2147483647, kX.data(), 0.0, kMat.data()), TAMO_NO_MEMORY);
  EXPECT_EQ(c.ctx().nodeCount + c.ctx().interfaceCount, 0);
  double out[5];
  EXPECT_EQ(tamoGetGrid(h, 5, out), TAMO_NO_GRID);

  // A second grid is refused with -13 before any other test, whatever its arguments.
  ASSERT_EQ(setGrid(c, 0.0), TAMO_OK);
  const double other[3] = {1.0, 2.0, 3.0};
  const int32_t otherMat[3] = {0, 5, 5};
  EXPECT_EQ(tamoSetGrid(h, 3, other, 1.0, otherMat), TAMO_ALREADY_SET);
  EXPECT_EQ(tamoSetGrid(h, 0, nullptr, 1.0, nullptr), TAMO_ALREADY_SET);
  ASSERT_EQ(tamoGetGrid(h, 5, out), TAMO_OK);
  const double expected[5] = {0.0, 0.01, 0.03, 0.06, 0.06};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(out[i], expected[i]) << i;
  EXPECT_EQ(c.ctx().materialCount, 3);
}

}  // namespace
