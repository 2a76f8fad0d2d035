// Transport and thermal properties through the public API against closed forms of their tables.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "interface/context_table.h"
#include "material/properties.h"
#include "model/context.h"
#include "tamo1dkernel.h"

namespace {

// One context with three materials: rho 1800 kg/m3, porosity 0.3.
class PropertyContext : public ::testing::Test {
 protected:
  void SetUp() override {
    handle_ = tamoCreateContext();
    ASSERT_GE(handle_, 1);
    const double positions[] = {0.0, 0.1, 0.2, 0.3};
    const int32_t materials[] = {0, 1, 2, 3};
    ASSERT_EQ(tamoSetGrid(handle_, 4, positions, 0.0, materials), 0);
    for (int mat = 1; mat <= 3; ++mat) {
      ASSERT_EQ(tamoSetMaterial(handle_, mat, 1800.0, 0.3, 850.0, 0), 0);
    }
  }
  void TearDown() override { tamoDeleteContext(handle_); }
  void loadStorageTable(int mat) {
    const double x[] = {0.5, 0.8, 0.95}, y[] = {10.0, 20.0, 60.0};
    ASSERT_EQ(tamoSetMaterialFunction(handle_, mat, 1, 0, 3, x, y), 0);
  }
  double water(int mat, double phi) {
    double w = 0.0;
    EXPECT_EQ(tamoSoriso(handle_, mat, phi, &w, nullptr), 0);
    return w;
  }
  double liquid(int mat, double w, int32_t suction) {
    double d = -1.0;
    EXPECT_EQ(tamoCaldw(handle_, mat, w, &d, suction), 0);
    return d;
  }
  int32_t handle_ = 0;
};

TEST_F(PropertyContext, LiquidCoefficientFromAbsorptionCoefficient) {
  loadStorageTable(1);
  const double A = 0.1;  // kg/(m2 s^0.5)
  ASSERT_EQ(tamoSetMaterialFunction(handle_, 1, 2, 1, 1, nullptr, &A), 0);
  ASSERT_EQ(tamoSetMaterialFunction(handle_, 1, 3, 1, 1, nullptr, &A), 0);
  const double wF = water(1, 1.0), w80 = water(1, 0.8), w101 = water(1, 1.01);
  const double D0 = 3.8 * (A / wF) * (A / wF);
  EXPECT_NEAR(liquid(1, wF, 1), D0, 1e-14 * D0);
  EXPECT_NEAR(liquid(1, wF, 0), 0.1 * D0, 1e-14 * D0);
  for (int32_t suction : {0, 1}) EXPECT_DOUBLE_EQ(liquid(1, 0.0, suction), 1e-16);
  // exponential law between w80 and wF (logarithmic interpolation is exact on it)
  for (double w : {w80, 0.5 * (w80 + wF), wF - 1e-3}) {
    const double expected = D0 * std::pow(1000.0, w / wF - 1.0);
    EXPECT_NEAR(liquid(1, w, 1), expected, 1e-12 * expected) << w;
  }
  // from wF on the saturated value, also in the appended range up to w(1.01) and beyond
  EXPECT_DOUBLE_EQ(liquid(1, 0.5 * (wF + w101), 1), liquid(1, wF, 1));
  EXPECT_DOUBLE_EQ(liquid(1, 10.0 * w101, 0), liquid(1, wF, 0));
  // only the lowest bit of the flag selects suction
  EXPECT_DOUBLE_EQ(liquid(1, wF, 2), liquid(1, wF, 0));
  EXPECT_DOUBLE_EQ(liquid(1, wF, 3), liquid(1, wF, 1));
  // a material without tables gives 0
  EXPECT_EQ(liquid(2, 5.0, 1), 0.0);
}

TEST_F(PropertyContext, LiquidCoefficientTableCappedAtFreeSaturationAndFloored) {
  loadStorageTable(1);
  const double wf = water(1, 1.0);  // free saturation of the storage table
  ASSERT_GT(wf, 60.0);
  ASSERT_LT(wf, 500.0);
  const double x[] = {0.0, 50.0, 500.0}, y[] = {1e-10, 1e-8, 1e-6};
  ASSERT_EQ(tamoSetMaterialFunction(handle_, 1, 2, 0, 3, x, y), 0);
  EXPECT_NEAR(liquid(1, 25.0, 1), 1e-9, 1e-21);    // geometric mean
  EXPECT_NEAR(liquid(1, -50.0, 1), 1e-12, 1e-24);  // first pair extended logarithmically
  EXPECT_DOUBLE_EQ(liquid(1, wf, 1), 1e-6);        // the table goes on beyond wf
  EXPECT_DOUBLE_EQ(liquid(1, 0.5 * (wf + 500.0), 1), 1e-6);
  const double below = liquid(1, wf - 1.0, 1);
  const double expected = 1e-8 * std::pow(100.0, (wf - 1.0 - 50.0) / 450.0);
  EXPECT_NEAR(below, expected, 1e-12 * expected);
  // zeros and negative values are stored as 1e-16
  const double yz[] = {0.0, -3.0, 1e-7};
  ASSERT_EQ(tamoSetMaterialFunction(handle_, 1, 3, 0, 3, x, yz), 0);
  EXPECT_DOUBLE_EQ(liquid(1, 0.0, 0), 1e-16);
  EXPECT_NEAR(liquid(1, 25.0, 0), 1e-16, 1e-28);
  EXPECT_TRUE(std::isfinite(liquid(1, 60.0, 0)));
}

TEST_F(PropertyContext, ResistanceFactorLogarithmicInHumidity) {
  const double x[] = {0.2, 0.8}, y[] = {100.0, 25.0};
  ASSERT_EQ(tamoSetMaterialFunction(handle_, 1, 6, 0, 2, x, y), 0);
  // {phi, mu}: the geometric mean halfway, extended logarithmically down to 0 and up to 1,
  // constant beyond; material 2 has no table: still air.
  const double at[][3] = {{1, 0.5, 50.0},   {1, 1.0, 25.0 * std::pow(0.25, 1.0 / 3.0)},
                          {1, 1.2, 25.0},   {1, 0.1, 100.0 * std::pow(4.0, 1.0 / 6.0)},
                          {1, -0.1, 100.0}, {2, 0.5, 1.0}};
  for (const auto& p : at) {
    double mu = 0.0;
    ASSERT_EQ(tamoCalmu(handle_, static_cast<int32_t>(p[0]), p[1], &mu), 0);
    EXPECT_NEAR(mu, p[2], 1e-12) << p[1];
  }
}

TEST_F(PropertyContext, ConductivityAddsMoistureAndTemperatureParts) {
  // lambda = 0.5 (1 + 8 w / rho) over w, 0.5 + 0.002 (T - 10) over T
  const double lw[] = {0.5, 8.0}, lt[] = {0.5, 0.002};
  ASSERT_EQ(tamoSetMaterialFunction(handle_, 1, 4, 1, 2, nullptr, lw), 0);
  ASSERT_EQ(tamoSetMaterialFunction(handle_, 1, 5, 1, 2, nullptr, lt), 0);
  // {material, w, T, lambda}: the dry value; both parts; held constant beyond -20..80 degC
  // and 0..1000 por kg/m3.
  std::vector<std::array<double, 4>> at = {{1, 0.0, 10.0, 0.5},
                                           {1, 90.0, 30.0, 0.5 + 0.002 * 20.0 + 0.2},
                                           {1, 400.0, 100.0, 0.5 + 0.002 * 70.0 + 2.0 / 3.0},
                                           {1, -5.0, -40.0, 0.5 - 0.002 * 30.0}};
  const auto check = [&] {
    for (const auto& p : at) {
      double lambda = -1.0;
      ASSERT_EQ(tamoCallam(handle_, static_cast<int32_t>(p[0]), p[1], p[2], &lambda), 0);
      EXPECT_NEAR(lambda, p[3], 1e-14) << p[0] << " " << p[1] << " " << p[2];
    }
  };
  check();
  // One parameter: constant lambda10 at 10 degC. A table over w without temperature points:
  // lambda(w) whatever the temperature. No tables at all contribute nothing.
  ASSERT_EQ(tamoSetMaterialFunction(handle_, 1, 5, 1, 1, nullptr, lt), 0);
  const double xw[] = {0.0, 100.0}, yw[] = {1.2, 2.0};
  ASSERT_EQ(tamoSetMaterialFunction(handle_, 2, 4, 0, 2, xw, yw), 0);
  ASSERT_EQ(tamoSetMaterialFunction(handle_, 2, 5, 0, 0, nullptr, nullptr), 0);
  at = {{1, 0.0, 60.0, 0.5}, {2, 25.0, -30.0, 1.4}, {2, 25.0, 50.0, 1.4}, {3, 25.0, 20.0, 0.0}};
  check();
}

TEST_F(PropertyContext, EnthalpyPiecewiseLinearAndExtrapolatedWithTheSegmentSlope) {
  const double x[] = {-10.0, 0.0, 30.0}, y[] = {-8000.0, 0.0, 60000.0};
  ASSERT_EQ(tamoSetMaterialFunction(handle_, 1, 7, 0, 3, x, y), 0);
  const tamo::MaterialRecord& m = tamo::findContext(handle_)->materials[1];
  // {T, enthalpy, slope}: the end segments extended, each segment's slope from its left point
  const double at[][3] = {{-50, -40000, 800}, {-15, -12000, 800}, {-0.001, -0.8, 800}, {0, 0, 2000},
                          {15, 30000, 2000},  {30, 60000, 2000},  {99, 198000, 2000}};
  for (const auto& p : at) {
    double h = 0.0;
    ASSERT_EQ(tamoCalent(handle_, 1, p[0], &h), 0);
    EXPECT_NEAR(h, p[1], 1e-9 * (1 + std::fabs(p[1]))) << p[0];
    EXPECT_DOUBLE_EQ(tamo::enthalpySlope(m, p[0]), p[2]) << p[0];
  }
  const tamo::MaterialRecord& empty = tamo::findContext(handle_)->materials[2];
  EXPECT_EQ(tamo::enthalpy(empty, 5.0), 0.0);
  EXPECT_EQ(tamo::enthalpySlope(empty, 5.0), 0.0);
}

}  // namespace
