// Loading material functions: argument checks and their order, refused calls changing
// nothing, the table each kind builds, and the values derived from the storage function.
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

TEST(StorageLoad, TableGetsOriginRowAppendedRowAndDerivedValues) {
  MaterialRecord m;
  m.wmax = 100.0;
  const double xs[] = {0.3, 0.6, 0.9}, ys[] = {3, 6, 18};
  ASSERT_EQ(tamo::loadMaterialFunction(m, 1, 0, 3, xs, ys), 0);
  ASSERT_EQ(m.nStorage, 5);
  const double rows[5][3] = {{0, 0, 10},
                             {0.3, 3, 10},
                             {0.6, 6, 25},
                             {0.9, 18, 40},
                             {1.01, 100, 82 / 0.11}};  // hand-computed estimates
  for (int i = 1; i <= 5; ++i) {
    EXPECT_DOUBLE_EQ(m.sortab.x(i), rows[i - 1][0]) << i;
    EXPECT_DOUBLE_EQ(m.sortab.y(i), rows[i - 1][1]) << i;
    EXPECT_NEAR(m.sortab.z(i), rows[i - 1][2], 1e-12 * rows[i - 1][2]) << i;
  }
  const double w1 = 18.0 + (0.1 / 0.11) * 82.0;
  EXPECT_NEAR(m.wf, w1, 1e-12);
  EXPECT_DOUBLE_EQ(m.wmax, 100.0);
  EXPECT_DOUBLE_EQ(m.nearSaturation, 99.0);
  EXPECT_EQ(m.liquidUptakeCap, 0.0);  // no suction table yet
  // starting at phi = 0: no row inserted; four rows, estimates at rows 1, N-1, N one-sided
  const double x0[] = {0.0, 0.5}, y0[] = {1.0, 21.0};
  ASSERT_EQ(tamo::loadMaterialFunction(m, 1, 0, 2, x0, y0), 0);
  ASSERT_EQ(m.nStorage, 3);
  EXPECT_DOUBLE_EQ(m.sortab.x(1), 0.0);
  EXPECT_DOUBLE_EQ(m.sortab.y(1), 1.0);
  EXPECT_DOUBLE_EQ(m.sortab.z(1), 40.0);
  EXPECT_DOUBLE_EQ(m.sortab.z(2), 40.0);
  EXPECT_NEAR(m.sortab.z(3), 79.0 / 0.51, 1e-12);
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

TEST(StorageLoad, DefaultAndFittedForms) {
  MaterialRecord m;
  m.wmax = 400.0;
  ASSERT_EQ(tamo::loadMaterialFunction(m, 1, 0, 0, nullptr, nullptr), 0);
  EXPECT_EQ(m.nStorage, 1);
  EXPECT_EQ(m.storageForm, 0);
  EXPECT_DOUBLE_EQ(m.wf, 280.0);
  EXPECT_DOUBLE_EQ(m.wmax, 400.0);
  EXPECT_DOUBLE_EQ(m.sortab.y(1), 1.0105);
  // form 1: wf = ys(2), then w(1)
  const double x1[] = {0.4, 0.0}, y1[] = {8.0, 120.0};
  ASSERT_EQ(tamo::loadMaterialFunction(m, 1, 1, 2, x1, y1), 0);
  EXPECT_EQ(m.nStorage, 1);
  EXPECT_EQ(m.storageForm, 1);
  EXPECT_NEAR(m.wf, 120.0, 1e-12);
  // b solves 8 = 120 (b - 1) 0.4 / (b - 0.4) with the leading row holding it
  const double b = 0.4 * (8.0 - 120.0) / (8.0 - 0.4 * 120.0);
  EXPECT_NEAR(m.sortab.z(1), b, 1e-14);
  EXPECT_EQ(m.sortab.rows(), 4);  // (0,0), two points, spare row
  // form 2 with a value at saturation above wmax raises wmax
  const double x2[] = {0.5, 0.9, 0.0}, y2[] = {30.0, 150.0, 500.0};
  ASSERT_EQ(tamo::loadMaterialFunction(m, 1, 1, 3, x2, y2), 0);
  EXPECT_EQ(m.storageForm, 2);
  EXPECT_NEAR(m.wmax, 1.01 * 500.0, 1e-9);
  EXPECT_NEAR(m.wf, 500.0, 1e-9);
}

TEST(LiquidLoad, TablesFromAbsorptionCoefficientAndUptakeCap) {
  MaterialRecord m;
  m.wmax = 100.0;
  const double sx[] = {0.5, 0.9}, sy[] = {10, 40};
  ASSERT_EQ(tamo::loadMaterialFunction(m, 1, 0, 2, sx, sy), 0);
  // storage rows (0,0) (0.5,10) (0.9,40) (1.01,100): w(0.8) = 32.5, w(1) = 40 + 60/1.1
  const double wF = 40.0 + 60.0 / 1.1, w80 = 32.5;
  const double A = 0.2;
  ASSERT_EQ(tamo::loadMaterialFunction(m, 2, 1, 1, nullptr, &A), 0);
  ASSERT_EQ(m.nSuction, 4);
  const double D0 = 3.8 * (A / wF) * (A / wF);
  const double expected[4][2] = {
      {0.0, 1e-16}, {w80, D0 * std::pow(1000.0, w80 / wF - 1.0)}, {wF, D0}, {100.0, D0}};
  for (int i = 1; i <= 4; ++i) {
    EXPECT_NEAR(m.fktabs.x(i), expected[i - 1][0], 1e-12) << i;
    EXPECT_NEAR(m.fktabs.y(i), expected[i - 1][1], 1e-12 * expected[i - 1][1]) << i;
  }
  // uptake cap: 10 * D(w(1)) * dw/dphi(1); D is the saturated value (w(1) = wf), the
  // derivative interpolates the estimates 75 (secant 0.5..0.9) and 60/0.11 at 1/1.1
  const double d1 = 75.0 + (0.1 / 0.11) * (60.0 / 0.11 - 75.0);
  EXPECT_NEAR(m.liquidUptakeCap, 10.0 * D0 * d1, 1e-10 * 10.0 * D0 * d1);
  // redistribution: a tenth at and above wF, no change of the cap
  const double capBefore = m.liquidUptakeCap;
  ASSERT_EQ(tamo::loadMaterialFunction(m, 3, 1, 1, nullptr, &A), 0);
  EXPECT_NEAR(m.fktabr.y(3), 0.1 * D0, 1e-14 * D0);
  EXPECT_NEAR(m.fktabr.y(4), 0.1 * D0, 1e-14 * D0);
  EXPECT_DOUBLE_EQ(m.fktabr.y(2), m.fktabs.y(2));
  EXPECT_EQ(m.liquidUptakeCap, capBefore);
  // a one-row suction table: cap 0; parameter mode without parameter: empty table
  const double one = 1e-8, at = 5.0;
  ASSERT_EQ(tamo::loadMaterialFunction(m, 2, 0, 1, &at, &one), 0);
  EXPECT_EQ(m.liquidUptakeCap, 0.0);
  ASSERT_EQ(tamo::loadMaterialFunction(m, 2, 1, 0, nullptr, nullptr), 0);
  EXPECT_EQ(m.nSuction, 0);
  EXPECT_EQ(m.fktabs.rows(), 0);
}

TEST(LiquidLoad, BeforeStorageFunctionStaysInsideRecord) {
  MaterialRecord m;  // no storage function: w(phi) = 0 everywhere
  const double A = 0.1;
  ASSERT_EQ(tamo::loadMaterialFunction(m, 2, 1, 1, nullptr, &A), 0);
  EXPECT_EQ(m.nSuction, 4);
  EXPECT_TRUE(std::isinf(m.fktabs.y(3)));  // 3.8 (A / 0)^2, stored as computed
  EXPECT_EQ(m.fktabs.y(1), 1e-16);
  EXPECT_TRUE(std::isnan(m.liquidUptakeCap));  // 10 * inf * 0, stored as computed
  ASSERT_EQ(tamo::loadMaterialFunction(m, 3, 1, 1, nullptr, &A), 0);
  EXPECT_EQ(m.nRedistribution, 4);
}

TEST(ConductivityLoad, ParameterTablesAndTemperatureDefault) {
  MaterialRecord m;
  m.rho = 2000.0;
  m.por = 0.15;
  const double lw[] = {1.5, 4.0};
  ASSERT_EQ(tamo::loadMaterialFunction(m, 4, 1, 2, nullptr, lw), 0);
  ASSERT_EQ(m.nLambdaW, 2);
  EXPECT_DOUBLE_EQ(m.bltab.x(2), 150.0);
  EXPECT_DOUBLE_EQ(m.bltab.y(2), 1.5 * (1.0 + 4.0 * 150.0 / 2000.0));
  ASSERT_EQ(tamo::loadMaterialFunction(m, 4, 1, 1, nullptr, lw), 0);
  EXPECT_EQ(m.nLambdaW, 1);
  // kind 5 without points copies the dry value to one row at 10 degC
  ASSERT_EQ(tamo::loadMaterialFunction(m, 5, 0, 0, nullptr, nullptr), 0);
  ASSERT_EQ(m.nLambdaT, 1);
  EXPECT_DOUBLE_EQ(m.bltemptab.x(1), 10.0);
  EXPECT_DOUBLE_EQ(m.bltemptab.y(1), 1.5);
  const double lt[] = {1.0, 0.01};
  ASSERT_EQ(tamo::loadMaterialFunction(m, 5, 1, 2, nullptr, lt), 0);
  EXPECT_DOUBLE_EQ(m.bltemptab.y(1), 0.7);  // -20 degC
  EXPECT_DOUBLE_EQ(m.bltemptab.y(2), 1.7);  // 80 degC
  // without a conductivity over w the temperature table is released and left empty
  MaterialRecord bare;
  ASSERT_EQ(tamo::loadMaterialFunction(bare, 5, 1, 2, nullptr, lt), 0);
  ASSERT_EQ(bare.nLambdaT, 2);
  ASSERT_EQ(tamo::loadMaterialFunction(bare, 5, 1, 0, nullptr, nullptr), 0);
  EXPECT_EQ(bare.nLambdaT, 0);
  EXPECT_EQ(bare.bltemptab.rows(), 0);
}

TEST(EnthalpyLoad, SlopeColumnRepeatsLastSlope) {
  MaterialRecord m;
  const double x[] = {-20.0, 0.0, 5.0, 25.0}, y[] = {-20000, 0, 10000, 30000};
  ASSERT_EQ(tamo::loadMaterialFunction(m, 7, 0, 4, x, y), 0);
  ASSERT_EQ(m.nEnthalpy, 4);
  const double slopes[] = {1000.0, 2000.0, 1000.0, 1000.0};
  for (int i = 1; i <= 4; ++i) EXPECT_DOUBLE_EQ(m.enttab.z(i), slopes[i - 1]) << i;
  // reload with fewer rows replaces the whole table
  ASSERT_EQ(tamo::loadMaterialFunction(m, 7, 0, 2, x, y), 0);
  EXPECT_EQ(m.nEnthalpy, 2);
  EXPECT_EQ(m.enttab.rows(), 2);
  ASSERT_EQ(tamo::loadMaterialFunction(m, 7, 0, 0, nullptr, nullptr), 0);
  EXPECT_EQ(m.nEnthalpy, 0);
}

}  // namespace
