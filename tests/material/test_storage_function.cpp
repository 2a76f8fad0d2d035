// Moisture storage function: table, analytic forms, over-hygroscopic line, inverse round trip.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "material/storage_function.h"
#include "model/material_functions.h"
#include "tamo1dkernel.h"

namespace {

using tamo::MaterialRecord;

// A material with porosity por (wmax = 1000 por) and a storage function from points.
MaterialRecord storageMaterial(double por, int analytic, std::vector<double> xs,
                               std::vector<double> ys) {
  MaterialRecord m;
  m.rho = 1500.0;
  m.por = por;
  m.wmax = 1000.0 * por;
  const int n = static_cast<int>(xs.size());
  EXPECT_EQ(tamo::loadMaterialFunction(m, 1, analytic, n, xs.data(), ys.data()), 0);
  return m;
}

// Central difference of w(phi).
double numericSlope(const MaterialRecord& m, double phi, double h) {
  return (tamo::storageValue(m, phi + h) - tamo::storageValue(m, phi - h)) / (2.0 * h);
}

TEST(StorageTable, InterpolatesValuesAndDerivativeEstimates) {
  // rows (0,0) (0.3,3) (0.6,6) (0.9,18) (1.01,100); secants 10, 10, 40, 82/0.11;
  // estimates z = 10, 10, 25, 40, 745.45...
  const MaterialRecord m = storageMaterial(0.1, 0, {0.3, 0.6, 0.9}, {3, 6, 18});
  const double lastSecant = 82.0 / 0.11;
  // {phi, w, dw/dphi}: halfway between the estimates 10 and 25 (not the secant 10) at 0.45;
  // at the ends (phi <= 0, phi >= 1.01) the first and the last row.
  const double at[][3] = {{0.45, 4.5, 17.5},
                          {0.75, 12.0, 32.5},
                          {0.955, 59.0, 0.5 * (40.0 + lastSecant)},
                          {-3.0, 0.0, 10.0},
                          {1.01, 100.0, lastSecant}};
  double d = -1.0;
  for (const auto& p : at) {
    EXPECT_NEAR(tamo::storageValue(m, p[0], &d), p[1], 1e-12) << p[0];
    EXPECT_NEAR(d, p[2], 1e-9) << p[0];
  }
  EXPECT_DOUBLE_EQ(tamo::storageValue(m, 5.0), 100.0);
  // Without a storage function: 0 and slope 0, also for a porous material.
  MaterialRecord none;
  none.por = 0.3;
  none.wmax = 300.0;
  EXPECT_TRUE(tamo::storageValue(none, 0.5, &d) == 0.0 && d == 0.0);
}

TEST(StorageForms, ThroughTheirPointsFromTheOriginToMaximumWithConsistentSlopes) {
  // Origin hyperbola through (0.5, 10), wf 100; power form through (0.5, 10) and (0.9, 40),
  // wf 100.
  struct Form {
    double por;
    int analytic;
    std::vector<double> xs, ys;
    int form;
    double wf;
  };
  const Form forms[] = {{0.2, 1, {0.5, 0.0}, {10.0, 100.0}, 1, 100.0},
                        {0.25, 1, {0.5, 0.9, 0.0}, {10.0, 40.0, 100.0}, 2, 100.0}};
  for (const Form& f : forms) {
    SCOPED_TRACE(f.form);
    const MaterialRecord m = storageMaterial(f.por, f.analytic, f.xs, f.ys);
    ASSERT_EQ(m.nStorage, 1);
    ASSERT_EQ(m.storageForm, f.form);
    for (std::size_t i = 0; i + 1 < f.xs.size(); ++i) {
      EXPECT_NEAR(tamo::storageValue(m, f.xs[i]), f.ys[i], 1e-9);
    }
    EXPECT_NEAR(tamo::storageValue(m, 0.0), 0.0, 1e-12);
    EXPECT_NEAR(tamo::storageValue(m, 1.0), f.wf, 1e-9);
    // over-hygroscopic: the line through (1, wf) and (1.01, wmax), then wmax
    const double wmax = 1000.0 * f.por;
    EXPECT_NEAR(tamo::storageValue(m, 1.005), (f.wf + wmax) / 2.0, 1e-9);
    EXPECT_NEAR(tamo::storageValue(m, 3.0), wmax, 1e-9);
    double d = 0.0;
    for (double phi : {0.01, 0.2, 0.5, 0.8, 0.97}) {
      tamo::storageValue(m, phi, &d);
      EXPECT_NEAR(d, numericSlope(m, phi, 1e-7), 1e-5 * d) << phi;
    }
    tamo::storageValue(m, 1.004, &d);
    EXPECT_NEAR(d, 100.0 * (wmax - f.wf), 1e-6);
  }
}

TEST(StorageForms, DefaultHyperbolaFromPorosity) {
  const MaterialRecord m = storageMaterial(0.3, 0, {}, {});
  ASSERT_EQ(m.storageForm, 0);
  EXPECT_NEAR(tamo::storageValue(m, 0.0), 0.0, 1e-12);
  EXPECT_NEAR(tamo::storageValue(m, 7.0), 300.0, 1e-9);
  EXPECT_DOUBLE_EQ(m.wf, 0.7 * 300.0);
  double d = 0.0;
  for (double phi : {0.2, 0.9, 1.0}) {
    tamo::storageValue(m, phi, &d);
    EXPECT_NEAR(d, numericSlope(m, phi, 1e-7), 1e-5 * d) << phi;
  }
}

TEST(StorageForms, EdgesOfTheFittedForms) {
  // Origin hyperbola: nothing below 0, and a humidity that does not compare gives 0.
  const MaterialRecord h = storageMaterial(0.2, 1, {0.5, 0.0}, {10.0, 100.0});
  EXPECT_DOUBLE_EQ(tamo::storageValue(h, -1.0), 0.0);
  EXPECT_DOUBLE_EQ(tamo::storageValue(h, std::nan("")), 0.0);
  // Power form: below 1e-4 the straight line from the origin to w(1e-4), with the unclamped
  // argument, so it continues through the origin; 0.99999 still in the power form.
  const MaterialRecord m = storageMaterial(0.25, 1, {0.5, 0.9, 0.0}, {10.0, 40.0, 100.0});
  EXPECT_LT(m.sortab.x(1), 0.0);  // a < 0 so that ln(phi) / a > 0
  double d = 0.0;
  const double w4 = tamo::storageValue(m, 1e-4);
  EXPECT_NEAR(tamo::storageValue(m, 5e-5, &d), 0.5 * w4, 1e-15 * w4);
  EXPECT_NEAR(d, w4 / 1e-4, 1e-12 * d);
  EXPECT_NEAR(tamo::storageValue(m, -1e-4), -w4, 1e-15 * w4);
  const double power = tamo::storageValue(m, 0.99999);
  EXPECT_TRUE(power > 99.0 && power <= 100.0) << power;
}

// Round trip through the public API: tamoSorinv inverts tamoSoriso.
class StorageRoundTrip : public ::testing::Test {
 protected:
  void SetUp() override {
    handle_ = tamoCreateContext();
    ASSERT_GE(handle_, 1);
    const double positions[] = {0.0, 0.1, 0.2, 0.3, 0.4};
    const int32_t materials[] = {0, 1, 2, 3, 4};
    ASSERT_EQ(tamoSetGrid(handle_, 5, positions, 0.0, materials), 0);
    for (int mat = 1; mat <= 4; ++mat)
      ASSERT_EQ(tamoSetMaterial(handle_, mat, 1500, 0.3, 850, 0), 0);
    const double tx[] = {0.2, 0.5, 0.8, 0.95}, ty[] = {2, 5, 12, 40};
    ASSERT_EQ(tamoSetMaterialFunction(handle_, 1, 1, 0, 4, tx, ty), 0);
    const double f1x[] = {0.5, 0.0}, f1y[] = {10, 150};
    ASSERT_EQ(tamoSetMaterialFunction(handle_, 2, 1, 1, 2, f1x, f1y), 0);
    const double f2x[] = {0.5, 0.9, 0.0}, f2y[] = {10, 40, 150};
    ASSERT_EQ(tamoSetMaterialFunction(handle_, 3, 1, 1, 3, f2x, f2y), 0);
    ASSERT_EQ(tamoSetMaterialFunction(handle_, 4, 1, 0, 0, nullptr, nullptr), 0);
  }
  void TearDown() override { tamoDeleteContext(handle_); }
  int32_t handle_ = 0;
};

TEST_F(StorageRoundTrip, InverseReproducesWaterContentForEveryMode) {
  for (int mat = 1; mat <= 4; ++mat) {
    double wTop = 0.0;
    ASSERT_EQ(tamoSoriso(handle_, mat, 1.01, &wTop, nullptr), 0);
    for (double phi : {0.01, 0.2, 0.43, 0.77, 0.9, 0.999, 1.003}) {
      double w = 0.0, slope = 0.0, back = -1.0, again = 0.0;
      ASSERT_EQ(tamoSoriso(handle_, mat, phi, &w, &slope), 0);
      ASSERT_EQ(tamoSorinv(handle_, mat, w, &back), 0);
      ASSERT_EQ(tamoSoriso(handle_, mat, back, &again, nullptr), 0);
      EXPECT_NEAR(back, phi, 1e-9) << "material " << mat << " phi " << phi;
      EXPECT_NEAR(again, w, 1e-9 * wTop) << "material " << mat << " phi " << phi;
    }
    double phi = -1.0;
    EXPECT_EQ(tamoSorinv(handle_, mat, wTop * 1.5, &phi), 0);
    EXPECT_EQ(phi, 1.01);
    EXPECT_EQ(tamoSorinv(handle_, mat, 0.0, &phi), 0);
    EXPECT_EQ(phi, 0.0);
  }
}

}  // namespace
