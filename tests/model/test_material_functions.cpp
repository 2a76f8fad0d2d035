// Loading material functions: argument checks in order, refusals changing nothing, row limits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "interface/context_table.h"
#include "model/context.h"
#include "model/material_functions.h"
#include "tamo1dkernel.h"

namespace {

using tamo::MaterialRecord;

// Bitwise equality of two records: every count, scalar and table cell.
bool sameRecord(const MaterialRecord& a, const MaterialRecord& b) {
  auto sameDouble = [](double x, double y) { return std::memcmp(&x, &y, sizeof x) == 0; };
  auto sameCells = [&](const std::vector<double>& x, const std::vector<double>& y) {
    if (x.size() != y.size()) return false;
    for (std::size_t i = 0; i < x.size(); ++i) {
      if (!sameDouble(x[i], y[i])) return false;
    }
    return true;
  };
  return a.nLambdaW == b.nLambdaW && a.nMu == b.nMu && a.nSuction == b.nSuction &&
         a.nRedistribution == b.nRedistribution && a.nStorage == b.nStorage &&
         a.nLambdaT == b.nLambdaT && a.nEnthalpy == b.nEnthalpy && sameDouble(a.rho, b.rho) &&
         sameDouble(a.cap, b.cap) && sameDouble(a.por, b.por) && sameDouble(a.wf, b.wf) &&
         sameDouble(a.wmax, b.wmax) && sameDouble(a.nearSaturation, b.nearSaturation) &&
         sameDouble(a.liquidUptakeCap, b.liquidUptakeCap) &&
         sameCells(a.bltab.cells, b.bltab.cells) && sameCells(a.bmytab.cells, b.bmytab.cells) &&
         sameCells(a.fktabs.cells, b.fktabs.cells) && sameCells(a.fktabr.cells, b.fktabr.cells) &&
         sameCells(a.bltemptab.cells, b.bltemptab.cells) &&
         sameCells(a.sortab.cells, b.sortab.cells) && sameCells(a.enttab.cells, b.enttab.cells) &&
         a.vapourTight == b.vapourTight && a.storageForm == b.storageForm;
}

// A context with two materials (rho 1600, porosity 0.2) and every function loaded on 1.
class LoadedContext : public ::testing::Test {
 protected:
  void SetUp() override {
    h_ = tamoCreateContext();
    ASSERT_GE(h_, 1);
    const double positions[] = {0.0, 0.1, 0.2};
    const int32_t materials[] = {0, 1, 2};
    ASSERT_EQ(tamoSetGrid(h_, 3, positions, 0.0, materials), 0);
    for (int mat = 1; mat <= 2; ++mat) ASSERT_EQ(tamoSetMaterial(h_, mat, 1600, 0.2, 900, 0), 0);
    const double sx[] = {0.5, 0.9}, sy[] = {10, 40};
    ASSERT_EQ(tamoSetMaterialFunction(h_, 1, 1, 0, 2, sx, sy), 0);
    const double A = 0.05;
    ASSERT_EQ(tamoSetMaterialFunction(h_, 1, 2, 1, 1, nullptr, &A), 0);
    ASSERT_EQ(tamoSetMaterialFunction(h_, 1, 3, 1, 1, nullptr, &A), 0);
    const double lw[] = {0.6, 5.0};
    ASSERT_EQ(tamoSetMaterialFunction(h_, 1, 4, 1, 2, nullptr, lw), 0);
    ASSERT_EQ(tamoSetMaterialFunction(h_, 1, 5, 0, 0, nullptr, nullptr), 0);
    const double mx[] = {0.0, 1.0}, my[] = {20, 10};
    ASSERT_EQ(tamoSetMaterialFunction(h_, 1, 6, 0, 2, mx, my), 0);
    const double ex[] = {0.0, 20.0}, ey[] = {0, 18000};
    ASSERT_EQ(tamoSetMaterialFunction(h_, 1, 7, 0, 2, ex, ey), 0);
  }
  void TearDown() override { tamoDeleteContext(h_); }
  MaterialRecord& record(int mat) { return tamo::findContext(h_)->materials[mat]; }
  int32_t h_ = 0;
};

TEST_F(LoadedContext, ArgumentChecksInOrderAndRefusalsChangeNothing) {
  const MaterialRecord before = record(1);
  const double xs[] = {0.2, 0.4, 0.6}, ys[] = {1, 2, 3};
  struct Case {
    int32_t handle, material, kind, analytic, n;
    const double *x, *y;
    int32_t code;
  };
  const int32_t bad = h_ + 50;
  const Case cases[] = {
      // each case also violates every later check, so only the order explains the code
      {bad, 0, 0, 5, -1, nullptr, nullptr, -1},
      {0, 1, 1, 0, 3, xs, ys, -1},
      {h_, 0, 0, 5, -1, nullptr, nullptr, -2},
      {h_, 3, 1, 0, 3, xs, ys, -2},
      {h_, 1, 0, 5, -1, nullptr, nullptr, -12},
      {h_, 1, 8, 5, 1, nullptr, nullptr, -3},
      {h_, 1, 0, 0, 3, xs, ys, -3},
      {h_, 1, 1, 5, 1, nullptr, nullptr, -12},
      {h_, 1, 7, 5, 1, nullptr, nullptr, -12},
      {h_, 1, 4, 5, 0, nullptr, nullptr, -12},
      {h_, 1, 4, 1, -3, xs, ys, -12},
      {h_, 1, 3, 2, 3, nullptr, nullptr, -10},
      {h_, 1, 5, -1, 3, xs, ys, -10},
      {h_, 1, 6, 1, 3, xs, ys, -10},
      {h_, 1, 7, 1, 3, xs, ys, -10},
      {h_, 1, 1, 0, 3, xs, nullptr, -21},
      {h_, 1, 1, 1, 3, nullptr, ys, -21},
      {h_, 1, 6, 0, 3, nullptr, ys, -21},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(tamoSetMaterialFunction(c.handle, c.material, c.kind, c.analytic, c.n, c.x, c.y),
              c.code)
        << "kind " << c.kind << " analytic " << c.analytic << " n " << c.n;
    EXPECT_TRUE(sameRecord(record(1), before)) << "kind " << c.kind << " code " << c.code;
  }
  // parameter loads of kinds 2..5 read no x values
  EXPECT_EQ(tamoSetMaterialFunction(h_, 2, 5, 1, 2, nullptr, ys), 0);
  EXPECT_EQ(record(2).nLambdaT, 2);
}

TEST_F(LoadedContext, RowLimitRefusesBeforeReleasingAnything) {
  const int limit = 32767;
  std::vector<double> xs(limit + 1), ys(limit + 1);
  for (int i = 0; i <= limit; ++i) {
    xs[i] = 1.0 * (i + 1) / (limit + 2);  // starts above 0: a leading (0, 0) row is added
    ys[i] = 50.0 * xs[i];
  }
  const MaterialRecord before = record(1);
  // storage: n + leading row + appended row must fit
  EXPECT_EQ(tamoSetMaterialFunction(h_, 1, 1, 0, limit - 1, xs.data(), ys.data()), -12);
  EXPECT_TRUE(sameRecord(record(1), before));
  for (int kind : {2, 3, 4, 5, 6, 7}) {
    EXPECT_EQ(tamoSetMaterialFunction(h_, 1, kind, 0, limit + 1, xs.data(), ys.data()), -12)
        << kind;
    EXPECT_TRUE(sameRecord(record(1), before)) << kind;
  }
  ASSERT_EQ(tamoSetMaterialFunction(h_, 1, 1, 0, limit - 2, xs.data(), ys.data()), 0);
  EXPECT_EQ(record(1).nStorage, limit);
  ASSERT_EQ(tamoSetMaterialFunction(h_, 1, 6, 0, limit, xs.data(), ys.data()), 0);
  EXPECT_EQ(record(1).nMu, limit);
}

TEST(StorageLoad, ValueAtSaturationAboveMaximumRaisesIt) {
  MaterialRecord m;
  m.wmax = 50.0;
  const double xs[] = {0.5, 0.95}, ys[] = {10, 60};
  ASSERT_EQ(tamo::loadMaterialFunction(m, 1, 0, 2, xs, ys), 0);
  // w(1) on the segment (0.95, 60)..(1.01, 50) appended with the old maximum
  const double w1 = 60.0 - (0.05 / 0.06) * 10.0;
  EXPECT_NEAR(m.wmax, 1.01 * w1, 1e-12);
  EXPECT_DOUBLE_EQ(m.sortab.y(4), 50.0);
  EXPECT_NEAR(m.wf, w1, 1e-12);
  EXPECT_NEAR(m.nearSaturation, 0.99 * 1.01 * w1, 1e-12);
}

}  // namespace
