// Surface conditions through the C API: the transfer rule (directly given thicknesses,
// boundary layer from the convective coefficient, explicit long-wave clamping), absorbed
// radiation and rain, the air pressure and the surface heat conductances.
#include <gtest/gtest.h>

#include <cmath>

#include "interface/context_table.h"
#include "model/context.h"
#include "tamo1dkernel.h"

namespace {

class SurfaceContext {
 public:
  SurfaceContext() : handle_(tamoCreateContext()) {}
  ~SurfaceContext() { tamoDeleteContext(handle_); }
  SurfaceContext(const SurfaceContext&) = delete;
  SurfaceContext& operator=(const SurfaceContext&) = delete;
  int32_t handle() const { return handle_; }
  const tamo::Context& ctx() const { return *tamo::findContext(handle_); }

 private:
  int32_t handle_;
};

// Boundary layer thickness [m] for convective coefficient hc at pressure p, from the
// still-air permeability 1.968e-7 T^0.81 / p at 10 degC and beta = 7e-9 max(3.5, hc).
double boundaryLayer(double hc, double p) {
  const double stillAir = 1.968e-7 * std::pow(283.15, 0.81) / p;
  return stillAir / (7e-9 * std::max(3.5, hc));
}

// tamoTransBound with one climate for side A and another for side B.
int32_t transBound(int32_t h, double hA, double sdA, double radA, double counterA, double rainA,
                   double hB, double sdB, double pressure) {
  return tamoTransBound(h, hA, sdA, 20.0, 0.5, radA, counterA, rainA, hB, sdB, 5.0, 0.8, 0.0, 0.0,
                        0.0, pressure);
}

TEST(SurfaceCondition, DirectlyGivenThicknessIsClampedAndIndependentOfCoefficients) {
  for (double h : {0.0, 3.0, 8.0, 25.0}) {
    for (double p : {50000.0, 101325.0}) {
      SurfaceContext c;
      ASSERT_EQ(tamoSetSurfaceCondition(c.handle(), p, h, -0.001, 0.6, 0.9, 0.7, 5.0, 1, h, -0.5,
                                        0.6, 0.9, 0.7, 0.0, 0),
                TAMO_OK);
      EXPECT_EQ(c.ctx().sideA.sdValue, 0.007680384859255765);
      EXPECT_EQ(c.ctx().sideB.sdValue, 0.5);
      ASSERT_EQ(transBound(c.handle(), h, -0.5, 0.0, 0.0, 0.0, h, -0.001, p), TAMO_OK);
      EXPECT_EQ(c.ctx().sideA.sdValue, 0.5);
      EXPECT_EQ(c.ctx().sideB.sdValue, 0.007680384859255765);
    }
  }
}

TEST(SurfaceCondition, BoundaryLayerFollowsTheConvectiveCoefficient) {
  SurfaceContext c;
  const int32_t h = c.handle();
  // Side A implicit: h 25 with radiative part 5 keeps 25 but sd uses h_c = 20.
  // Side B explicit (flag 3 has bit 0 set): h 3 below radiative part 5 -> 0, sd uses 3.5.
  ASSERT_EQ(tamoSetSurfaceCondition(h, 90000.0, 25.0, 0.1, 0.6, 0.9, 0.7, 5.0, 2, 3.0, 0.0, 0.4,
                                    0.8, 0.0, 5.0, 3),
            TAMO_OK);
  const tamo::Context& ctx = c.ctx();
  EXPECT_EQ(ctx.sideA.heatTransferCoefficient, 25.0);
  EXPECT_NEAR(ctx.sideA.sdValue, 0.1 + boundaryLayer(20.0, 90000.0), 1e-15);
  EXPECT_FALSE(tamo::isTrue(ctx.sideA.explicitLongWave));  // flag 2: bit 0 clear
  EXPECT_EQ(ctx.sideB.heatTransferCoefficient, 0.0);
  EXPECT_NEAR(ctx.sideB.sdValue, boundaryLayer(3.5, 90000.0), 1e-15);
  EXPECT_EQ(ctx.sideB.explicitLongWave, -1);
  // Hand value with h_c = 13 - 5: 1.906156316294392e-5 / 1e5 / (7e-9 * 8) + 0.001.
  ASSERT_EQ(transBound(h, 13.0, 0.001, 0.0, 0.0, 0.0, 5.0, 0.0, 100000.0), TAMO_OK);
  EXPECT_NEAR(ctx.sideA.sdValue, 0.004403850564811415, 1e-17);
  EXPECT_EQ(ctx.sideA.heatTransferCoefficient, 13.0);
  // Explicit side B with h 5 - 5 = 0: coefficient 0, boundary layer at 3.5.
  EXPECT_EQ(ctx.sideB.heatTransferCoefficient, 0.0);
  EXPECT_NEAR(ctx.sideB.sdValue, boundaryLayer(3.5, 100000.0), 1e-15);
  // Explicit side B with h 12: coefficient 7 (convective part only).
  ASSERT_EQ(transBound(h, 8.0, 0.0, 0.0, 0.0, 0.0, 12.0, 0.0, 100000.0), TAMO_OK);
  EXPECT_EQ(ctx.sideB.heatTransferCoefficient, 7.0);
  EXPECT_NEAR(ctx.sideB.sdValue, boundaryLayer(7.0, 100000.0), 1e-15);
  // The properties of tamoSetSurfaceCondition stay as they were.
  EXPECT_EQ(ctx.sideA.radiativeTransferPart, 5.0);
  EXPECT_EQ(ctx.sideB.shortWaveAbsorptivity, 0.4);
  EXPECT_EQ(ctx.sideB.emissivity, 0.8);
}

TEST(SurfaceCondition, AbsorbedRadiationRainAndClimateFields) {
  SurfaceContext c;
  const int32_t h = c.handle();
  // Side A implicit long-wave, side B explicit.
  ASSERT_EQ(tamoSetSurfaceCondition(h, 101325.0, 8.0, 0.0, 0.6, 0.9, 0.7, 0.0, 0, 10.0, 0.0, 0.5,
                                    0.9, 0.0, 4.0, 1),
            TAMO_OK);
  const tamo::Context& ctx = c.ctx();
  // Nothing of the climate before the first climate update.
  EXPECT_EQ(ctx.sideA.absorbedRain, 0.0);
  EXPECT_EQ(ctx.sideA.absorbedRadiation, 0.0);

  ASSERT_EQ(tamoTransBound(h, 8.0, 0.0, 12.5, 0.75, -50.0, 300.0, 2.0, 10.0, 0.0, 21.0, 0.45, -50.0,
                           300.0, 3.0, 95000.0),
            TAMO_OK);
  EXPECT_DOUBLE_EQ(ctx.sideA.absorbedRadiation, -45.0);  // emissivity 0.9 * -50
  EXPECT_DOUBLE_EQ(ctx.sideA.absorbedRain, 1.4);         // 2 * 0.7
  EXPECT_DOUBLE_EQ(ctx.sideB.absorbedRadiation, 0.5 * -50.0 + 0.9 * 300.0);
  EXPECT_EQ(ctx.sideB.absorbedRain, 0.0);  // side B absorbs no rain
  EXPECT_EQ(ctx.sideA.ambientTemperature, 12.5);
  EXPECT_EQ(ctx.sideA.ambientHumidity, 0.75);
  EXPECT_EQ(ctx.sideA.radiation, -50.0);
  EXPECT_EQ(ctx.sideA.rain, 2.0);
  EXPECT_EQ(ctx.sideB.ambientTemperature, 21.0);
  EXPECT_EQ(ctx.sideB.ambientHumidity, 0.45);
  EXPECT_EQ(ctx.sideB.rain, 3.0);
  EXPECT_EQ(ctx.airPressure, 95000.0);

  // Short-wave gain with the flag off uses the absorptivity; zero radiation counts as gain.
  ASSERT_EQ(transBound(h, 8.0, 0.0, 400.0, 300.0, 0.0, 10.0, 0.0, 95000.0), TAMO_OK);
  EXPECT_DOUBLE_EQ(ctx.sideA.absorbedRadiation, 240.0);
  EXPECT_EQ(ctx.sideA.absorbedRain, 0.0);
  ASSERT_EQ(transBound(h, 8.0, 0.0, -0.0, 300.0, 0.0, 10.0, 0.0, 95000.0), TAMO_OK);
  EXPECT_EQ(ctx.sideA.absorbedRadiation, 0.0);
}

TEST(SurfaceCondition, PressureDefaultOnceOnlyDefinitionAndSurfaceConductances) {
  SurfaceContext c;
  const int32_t h = c.handle();
  EXPECT_EQ(c.ctx().airPressure, 93399.0);
  ASSERT_EQ(tamoSetSurfaceCondition(h, 50000.0, 8.0, 0.0, 0.6, 0.9, 0.7, 0.0, 0, 17.0, 0.0, 0.6,
                                    0.9, 0.0, 0.0, 0),
            TAMO_OK);
  // Its pressure argument only shapes the thickness.
  EXPECT_EQ(c.ctx().airPressure, 93399.0);
  EXPECT_NEAR(c.ctx().sideA.sdValue, boundaryLayer(8.0, 50000.0), 1e-15);
  // A second definition is refused and changes nothing.
  EXPECT_EQ(tamoSetSurfaceCondition(h, 10000.0, 1.0, 1.0, 0.1, 0.1, 0.1, 0.0, 1, 1.0, 1.0, 0.1, 0.1,
                                    0.1, 0.0, 1),
            TAMO_ALREADY_SET);
  EXPECT_EQ(c.ctx().sideA.heatTransferCoefficient, 8.0);
  EXPECT_NEAR(c.ctx().sideA.sdValue, boundaryLayer(8.0, 50000.0), 1e-15);
  EXPECT_EQ(c.ctx().sideB.rainAbsorptionFactor, 0.0);

  // Climate before a grid: accepted; the surface conductances wait for the grid.
  EXPECT_EQ(transBound(h, 8.0, 0.0, 0.0, 0.0, 0.0, 17.0, 0.0, 98000.0), TAMO_OK);
  EXPECT_EQ(c.ctx().airPressure, 98000.0);

  const double X[] = {0.0, 0.01, 0.03, 0.06};
  const int32_t mat[] = {0, 1, 1, 1};
  ASSERT_EQ(tamoSetGrid(h, 4, X, 0.0, mat), TAMO_OK);
  ASSERT_EQ(transBound(h, 8.0, 0.0, 0.0, 0.0, 0.0, 17.0, 0.0, 98000.0), TAMO_OK);
  const tamo::Context& ctx = c.ctx();
  // Times inverseDistance they give back the surface coefficients (interfaces 1 and N = 4).
  EXPECT_DOUBLE_EQ(ctx.heatConductance[1] * ctx.inverseDistance[1], 8.0);
  EXPECT_DOUBLE_EQ(ctx.heatConductance[4] * ctx.inverseDistance[4], 17.0);
  EXPECT_DOUBLE_EQ(ctx.heatConductance[1], 8.0 * 0.01 / 2.0);
  EXPECT_DOUBLE_EQ(ctx.heatConductance[4], 17.0 * 0.03 / 2.0);
  EXPECT_EQ(ctx.heatConductance[2], 0.0);  // interior entries belong to the heat balance
  EXPECT_EQ(ctx.heatConductance[3], 0.0);

  EXPECT_EQ(tamoTransBound(h + 1000, 8, 0, 0, 0, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 1e5),
            TAMO_INVALID_HANDLE);
}

}  // namespace
