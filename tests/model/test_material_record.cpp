// Material records: range of material numbers, the dry properties, the maximum water
// content derived from the porosity, and what a repeated definition leaves alone.
#include <gtest/gtest.h>

#include "interface/context_table.h"
#include "model/context.h"
#include "support/scoped_context.h"
#include "tamo1dkernel.h"

namespace {

using tamo::test_support::ScopedContext;

// Grid of three elements with materials 2, 1, 3 (M = 3).
int32_t defineGrid(const ScopedContext& c) {
  const double X[4] = {0.0, 0.01, 0.03, 0.06};
  const int32_t mat[4] = {0, 2, 1, 3};
  return tamoSetGrid(c.handle(), 4, X, 0.0, mat);
}

TEST(MaterialRecord, MaterialNumberRange) {
  ScopedContext c;
  const int32_t h = c.handle();
  // Before the grid no record exists.
  for (int32_t m : {-1, 0, 1, 2, 3}) {
    EXPECT_EQ(tamoSetMaterial(h, m, 1000.0, 0.1, 900.0, 0), TAMO_BAD_MATERIAL) << m;
  }
  ASSERT_EQ(defineGrid(c), TAMO_OK);
  EXPECT_EQ(tamoSetMaterial(h, 0, 1000.0, 0.1, 900.0, 0), TAMO_BAD_MATERIAL);
  EXPECT_EQ(tamoSetMaterial(h, 4, 1000.0, 0.1, 900.0, 0), TAMO_BAD_MATERIAL);
  EXPECT_EQ(tamoSetMaterial(h, -2147483647 - 1, 1000.0, 0.1, 900.0, 0), TAMO_BAD_MATERIAL);
  EXPECT_EQ(tamoSetMaterial(h, 2147483647, 1000.0, 0.1, 900.0, 0), TAMO_BAD_MATERIAL);
  // A refused call defines nothing.
  for (int m = 1; m <= 3; ++m) {
    EXPECT_FALSE(tamo::isTrue(c.ctx().materialDefined[m])) << m;
    EXPECT_EQ(c.ctx().materials[m].rho, 0.0) << m;
  }
  EXPECT_EQ(tamoSetMaterial(h, 3, 1000.0, 0.1, 900.0, 0), TAMO_OK);
  EXPECT_EQ(tamoSetMaterial(h, 1, 1000.0, 0.1, 900.0, 0), TAMO_OK);
}

TEST(MaterialRecord, StoresDryPropertiesAndMaximumWaterContent) {
  ScopedContext c;
  const int32_t h = c.handle();
  ASSERT_EQ(defineGrid(c), TAMO_OK);
  // Argument order: rho, por, cap. Distinct values catch a swap.
  ASSERT_EQ(tamoSetMaterial(h, 2, 1650.0, 0.35, 850.0, 1), TAMO_OK);
  const tamo::MaterialRecord& m = c.ctx().materials[2];
  EXPECT_EQ(m.rho, 1650.0);
  EXPECT_EQ(m.por, 0.35);
  EXPECT_EQ(m.cap, 850.0);
  EXPECT_EQ(m.wmax, 1000.0 * 0.35);
  EXPECT_TRUE(tamo::isTrue(m.vapourTight));
  EXPECT_TRUE(tamo::isTrue(c.ctx().materialDefined[2]));
  EXPECT_FALSE(tamo::isTrue(c.ctx().materialDefined[1]));
  EXPECT_FALSE(tamo::isTrue(c.ctx().materialDefined[3]));
  // The record's derived values and tables are not touched.
  EXPECT_EQ(m.wf, 0.0);
  EXPECT_EQ(m.nearSaturation, 0.0);
  EXPECT_EQ(m.liquidUptakeCap, 0.0);
  EXPECT_EQ(m.nStorage, 0);
  EXPECT_EQ(m.storageForm, 0);
  // The neighbours keep their defaults.
  EXPECT_EQ(c.ctx().materials[1].wmax, 0.0);
  EXPECT_EQ(c.ctx().materials[3].rho, 0.0);

  // The flag is logical by its lowest bit: 2 is false.
  ASSERT_EQ(tamoSetMaterial(h, 1, 500.0, 0.5, 1000.0, 2), TAMO_OK);
  EXPECT_FALSE(tamo::isTrue(c.ctx().materials[1].vapourTight));

  // No range checks: zero and negative values are stored unchanged.
  ASSERT_EQ(tamoSetMaterial(h, 3, -10.0, -0.2, 0.0, 0), TAMO_OK);
  EXPECT_EQ(c.ctx().materials[3].rho, -10.0);
  EXPECT_EQ(c.ctx().materials[3].por, -0.2);
  EXPECT_EQ(c.ctx().materials[3].wmax, -200.0);
  EXPECT_EQ(c.ctx().materials[3].cap, 0.0);
}

// A storage function raises wmax above 1000 por when it exceeds it; setting the material
// again brings wmax back to 1000 por but keeps nearSaturation, wf and the tables.
TEST(MaterialRecord, RepeatedDefinitionResetsOnlyTheMaximumWaterContent) {
  ScopedContext c;
  const int32_t h = c.handle();
  ASSERT_EQ(defineGrid(c), TAMO_OK);
  ASSERT_EQ(tamoSetMaterial(h, 1, 1800.0, 0.1, 850.0, 0), TAMO_OK);
  // Storage table reaching 150 kg/m3 at phi = 1, above 1000 * por = 100.
  const double phi[3] = {0.5, 0.8, 1.0};
  const double w[3] = {20.0, 60.0, 150.0};
  ASSERT_EQ(tamoSetMaterialFunction(h, 1, 1, 0, 3, phi, w), TAMO_OK);
  tamo::MaterialRecord& m = c.ctx().materials[1];
  if (m.nStorage == 0) {
    // The storage loader is not available in this build: give the record the state such a
    // load leaves behind.
    m.sortab.resize(5);
    m.nStorage = 5;
    m.wf = 150.0;
    m.wmax = 1.01 * 150.0;
    m.nearSaturation = 0.99 * m.wmax;
  }
  EXPECT_GT(m.wmax, 100.0);
  const double nearSaturation = m.nearSaturation;
  const double wf = m.wf;
  const int16_t rows = m.nStorage;
  const int tableRows = m.sortab.rows();
  EXPECT_GT(nearSaturation, 0.0);

  ASSERT_EQ(tamoSetMaterial(h, 1, 1700.0, 0.1, 800.0, 0), TAMO_OK);
  EXPECT_EQ(m.wmax, 100.0);
  EXPECT_EQ(m.nearSaturation, nearSaturation);
  EXPECT_EQ(m.wf, wf);
  EXPECT_EQ(m.nStorage, rows);
  EXPECT_EQ(m.sortab.rows(), tableRows);
  EXPECT_EQ(m.rho, 1700.0);
  EXPECT_EQ(m.cap, 800.0);
}

}  // namespace
