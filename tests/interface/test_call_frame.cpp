// Operations with a handle: an invalid handle is refused with -1 before anything is read or
// written, and each operation makes its own tests in a fixed order.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "interface/context_table.h"
#include "model/context.h"
#include "tamo1dkernel.h"

namespace {

constexpr double kSentinel = -987654.25;
constexpr int32_t kIntSentinel = -4242;
constexpr int kLength = 8;

// Output arrays of every operation, filled with sentinels that no operation writes.
struct Outputs {
  std::array<std::array<double, kLength>, 8> d;
  std::array<int32_t, 2 * kLength> i;  // the two integer arrays of the step
  Outputs() {
    for (auto& a : d) a.fill(kSentinel);
    i.fill(kIntSentinel);
  }
  bool untouched() const {
    for (const auto& a : d) {
      if (std::count(a.begin(), a.end(), kSentinel) != kLength) return false;
    }
    return std::count(i.begin(), i.end(), kIntSentinel) == 2 * kLength;
  }
};

// Well-formed inputs, so that only the handle can be wrong.
const double kPositions[kLength] = {0.0, 0.01, 0.02, 0.03, 0.04, 0.05, 0.06, 0.07};
const int32_t kMaterials[kLength] = {0, 1, 1, 1, 1, 1, 1, 1};
const double kValues[kLength] = {1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0};

struct NamedOperation {
  std::string name;
  int32_t (*call)(int32_t, Outputs&);
};

// An operation called with handle h and the arguments given; o holds the outputs.
#define OPERATION(name, ...)                                                                       \
  NamedOperation {                                                                                 \
#name,                                                                                         \
        [](int32_t h, [[maybe_unused]] Outputs & o) { return name(h __VA_OPT__(, ) __VA_ARGS__); } \
  }

// Every exported operation that takes a handle.
std::vector<NamedOperation> everyOperation() {
  return {
      OPERATION(tamoDeleteContext),
      OPERATION(tamoSetParameter, 1, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0),
      OPERATION(tamoSetParameter1, 1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0),
      OPERATION(tamoSetGrid, kLength, kPositions, 0.0, kMaterials),
      OPERATION(tamoGetGrid, kLength, o.d[0].data()),
      OPERATION(tamoSetMaterial, 1, 1000.0, 0.3, 900.0, 0),
      OPERATION(tamoSetMaterialFunction, 1, 6, 0, kLength, kPositions, kValues),
      OPERATION(tamoSetSurfaceCondition, 101325.0, 8.0, 0.0, 0.6, 0.9, 0.7, 6.5, 0, 25.0, 0.0, 0.4,
                0.9, 0.0, 4.5, 0),
      OPERATION(tamoTransBound, 8.0, 0.0, 20.0, 0.5, 0.0, 0.0, 0.0, 25.0, 0.0, 0.0, 0.8, 100.0,
                300.0, 1.0, 101325.0),
      OPERATION(tamoSetSource, 1, 0, 0, 0, 0.01, 0.02, kValues),
      OPERATION(tamoUpdateSource, 1, kValues),
      OPERATION(tamoSoriso, 1, 0.5, &o.d[0][0], &o.d[1][0]),
      OPERATION(tamoSorinv, 1, 5.0, &o.d[0][0]),
      OPERATION(tamoCaldw, 1, 5.0, &o.d[0][0], 1),
      OPERATION(tamoCalmu, 1, 0.5, &o.d[0][0]),
      OPERATION(tamoCallam, 1, 5.0, 10.0, &o.d[0][0]),
      OPERATION(tamoCalent, 1, 10.0, &o.d[0][0]),
      OPERATION(tamoStep, 3600.0, 0, o.d[0].data(), o.d[1].data(), o.d[2].data(), o.i.data(),
                o.d[3].data(), o.d[4].data(), o.i.data() + kLength),
      OPERATION(tamoStep2, 8.0, 0.0, 20.0, 0.5, 0.0, 0.0, 0.0, 25.0, 0.0, 0.0, 0.8, 100.0, 300.0,
                1.0, 101325.0, 3600.0, 0, o.d[0].data(), o.d[1].data(), o.d[2].data(), o.i.data(),
                o.d[3].data(), o.d[4].data(), o.i.data() + kLength),
      OPERATION(tamoGetSolver, kLength, o.d[0].data(), o.d[1].data(), o.d[2].data(), o.d[3].data()),
      OPERATION(tamoGetFlux, 0, kValues, kValues, o.d[0].data(), o.d[1].data(), o.d[2].data(),
                o.d[3].data()),
      OPERATION(tamoGetSurfaceCoeff, &o.d[0][0], &o.d[1][0], &o.d[2][0], &o.d[3][0]),
      OPERATION(tamoGetIntermediate, 0, kValues, kPositions, o.d[0].data(), o.d[1].data(),
                o.d[2].data(), 1, o.d[3].data(), o.d[4].data(), o.d[5].data()),
      OPERATION(tamoGetTransport, kLength, o.d[0].data(), o.d[1].data(), o.d[2].data()),
      OPERATION(tamoGetSourceQuantity, 1, kLength, kValues, kPositions, &o.d[0][0], &o.d[1][0]),
  };
}

TEST(CallFrame, InvalidHandlesAreRefusedBeforeAnythingElse) {
  // A deleted handle: no context is created until the checks below are done.
  const int32_t deleted = tamoCreateContext();
  ASSERT_GE(deleted, 1);
  ASSERT_EQ(tamoDeleteContext(deleted), TAMO_OK);
  const int32_t beyond = tamo::contextTableCapacity() + 1;
  for (const NamedOperation& op : everyOperation()) {
    for (int32_t h : {0, -5, beyond, deleted, -2147483647 - 1, 2147483647}) {
      Outputs out;
      EXPECT_EQ(op.call(h, out), TAMO_INVALID_HANDLE) << op.name << " handle " << h;
      EXPECT_TRUE(out.untouched()) << op.name << " handle " << h;
    }
  }
  // Nothing was created behind the refusals.
  EXPECT_EQ(tamo::findContext(deleted), nullptr);
  EXPECT_EQ(tamo::contextTableCapacity() + 1, beyond);
}

class FrameContext : public ::testing::Test {
 protected:
  void SetUp() override {
    handle_ = tamoCreateContext();
    ASSERT_GE(handle_, 1);
  }
  void TearDown() override { tamoDeleteContext(handle_); }
  // Grid of four elements with materials 1, 2, 2, 1 (M = 2).
  void defineGrid() {
    const double X[5] = {0.0, 0.01, 0.02, 0.04, 0.05};
    const int32_t mat[5] = {0, 1, 2, 2, 1};
    ASSERT_EQ(tamoSetGrid(handle_, 5, X, 0.0, mat), TAMO_OK);
  }
  tamo::Context& ctx() { return *tamo::findContext(handle_); }
  int32_t handle_ = 0;
};

TEST_F(FrameContext, CodesBeforeTheGrid) {
  const int32_t h = handle_;
  double out[4] = {kSentinel, kSentinel, kSentinel, kSentinel};
  EXPECT_EQ(tamoGetGrid(h, 4, out), TAMO_NO_GRID);
  EXPECT_EQ(tamoSetParameter(h, 1, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0), TAMO_NO_GRID);
  EXPECT_EQ(tamoSetParameter1(h, 1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0), TAMO_NO_GRID);
  // No material record exists yet.
  const double xs[2] = {0.5, 0.8};
  const double ys[2] = {1.0, 2.0};
  for (int32_t m : {-1, 0, 1, 2}) {
    EXPECT_EQ(tamoSetMaterial(h, m, 1000.0, 0.1, 900.0, 0), TAMO_BAD_MATERIAL) << m;
  }
  EXPECT_EQ(tamoSetMaterialFunction(h, 1, 6, 0, 2, xs, ys), TAMO_BAD_MATERIAL);
  EXPECT_EQ(tamoSoriso(h, 1, 0.5, out, nullptr), TAMO_BAD_MATERIAL);
  // No source exists yet.
  const double values[3] = {1.0, 2.0, 3.0};
  EXPECT_EQ(tamoUpdateSource(h, 1, values), TAMO_BAD_SOURCE_NUMBER);
  EXPECT_EQ(tamoGetSourceQuantity(h, 1, 0, out, out, out, out + 1), TAMO_BAD_SOURCE_NUMBER);
  // The coefficient queries test their arrays before the grid (a fuzzer finding); count 0
  // reads no array, and before a grid nothing is copied.
  EXPECT_EQ(tamoGetTransport(h, 1, nullptr, out, out), TAMO_NULL_ARRAY);
  EXPECT_EQ(tamoGetTransport(h, 1, out, nullptr, out), TAMO_NULL_ARRAY);
  EXPECT_EQ(tamoGetTransport(h, 1, out, out, nullptr), TAMO_NULL_ARRAY);
  EXPECT_EQ(tamoGetSolver(h, 1, out, out, nullptr, out), TAMO_NULL_ARRAY);
  EXPECT_EQ(tamoGetTransport(h, 0, nullptr, nullptr, nullptr), TAMO_OK);
  EXPECT_EQ(tamoGetTransport(h, 1, out, out, out), TAMO_OK);
  EXPECT_EQ(tamoGetSolver(h, 1, out, out, out, out), TAMO_OK);
  for (double v : out) EXPECT_EQ(v, kSentinel);
  EXPECT_FALSE(tamo::isTrue(ctx().gridDefined));
}

TEST_F(FrameContext, PropertyQueriesRefuseMaterialsOutsideOneToM) {
  defineGrid();
  const int32_t h = handle_;
  double v = kSentinel;
  for (int32_t material : {0, 3, -1, -2147483647 - 1, 2147483647}) {
    EXPECT_EQ(tamoSetMaterial(h, material, 1000.0, 0.1, 900.0, 0), TAMO_BAD_MATERIAL);
    EXPECT_EQ(tamoSoriso(h, material, 0.5, &v, nullptr), TAMO_BAD_MATERIAL) << material;
    EXPECT_EQ(tamoSorinv(h, material, 1.0, &v), TAMO_BAD_MATERIAL) << material;
    EXPECT_EQ(tamoCaldw(h, material, 1.0, &v, 1), TAMO_BAD_MATERIAL) << material;
    EXPECT_EQ(tamoCalmu(h, material, 0.5, &v), TAMO_BAD_MATERIAL) << material;
    EXPECT_EQ(tamoCallam(h, material, 1.0, 10.0, &v), TAMO_BAD_MATERIAL) << material;
    EXPECT_EQ(tamoCalent(h, material, 10.0, &v), TAMO_BAD_MATERIAL) << material;
  }
  EXPECT_FALSE(tamo::isTrue(ctx().materialDefined[1]));
  // Material 2 exists but has no storage function and no enthalpy table.
  EXPECT_EQ(tamoCalent(h, 2, 10.0, &v), TAMO_BAD_FUNCTION_KIND);
  EXPECT_EQ(v, kSentinel);
  EXPECT_EQ(tamoSorinv(h, 2, 1.0, &v), TAMO_BAD_TABLE_LENGTH);
}

TEST_F(FrameContext, SourceCodesInOrderAndSurfacesDefinedOnce) {
  defineGrid();
  const int32_t h = handle_;
  ASSERT_EQ(tamoSetParameter(h, 1, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0), TAMO_OK);
  const double values[3] = {10.0, 0.0, 0.0};
  // Source number first, then the kind.
  EXPECT_EQ(tamoSetSource(h, 0, 9, 0, 0, 0.0, 0.01, values), TAMO_BAD_SOURCE_NUMBER);
  EXPECT_EQ(tamoSetSource(h, -3, 1, 0, 0, 0.0, 0.01, values), TAMO_BAD_SOURCE_NUMBER);
  EXPECT_EQ(tamoSetSource(h, 1, 3, 0, 0, 0.0, 0.01, values), TAMO_BAD_SOURCE_KIND);
  EXPECT_EQ(tamoSetSource(h, 1, -1, 0, 0, 0.0, 0.01, values), TAMO_BAD_SOURCE_KIND);
  EXPECT_EQ(ctx().sourceCount, 0);
  // The same number twice: -13 (the kind is tested before).
  ASSERT_EQ(tamoSetSource(h, 1, 0, 0, 0, 0.0, 0.01, values), TAMO_OK);
  EXPECT_EQ(tamoSetSource(h, 1, 7, 0, 0, 0.0, 0.01, values), TAMO_BAD_SOURCE_KIND);
  EXPECT_EQ(tamoSetSource(h, 1, 1, 0, 0, 0.0, 0.01, values), TAMO_ALREADY_SET);
  // Update and quantity accept 1..number of sources only.
  const double t[6] = {20, 20, 20, 20, 20, 20};
  double q[2] = {kSentinel, kSentinel};
  for (int32_t number : {0, 2}) {
    EXPECT_EQ(tamoUpdateSource(h, number, values), TAMO_BAD_SOURCE_NUMBER);
    EXPECT_EQ(tamoGetSourceQuantity(h, number, 6, t, t, &q[0], &q[1]), TAMO_BAD_SOURCE_NUMBER);
  }
  EXPECT_TRUE(q[0] == kSentinel && q[1] == kSentinel);
  // Surface conditions: the second call is refused.
  ASSERT_EQ(tamoSetSurfaceCondition(h, 101325.0, 8.0, 0.0, 0.6, 0.9, 0.7, 6.5, 0, 25.0, 0.0, 0.4,
                                    0.9, 0.0, 4.5, 0),
            TAMO_OK);
  EXPECT_EQ(tamoSetSurfaceCondition(h, 90000.0, 1.0, 1.0, 0.1, 0.1, 0.1, 1.0, 1, 2.0, 1.0, 0.1, 0.1,
                                    0.1, 1.0, 1),
            TAMO_ALREADY_SET);
}

}  // namespace
