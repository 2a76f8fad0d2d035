// Intermediate fields: dew point against saturation pressure, the layer walk, the transport copy.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "interface/context_table.h"
#include "material/saturation.h"
#include "model/context.h"
#include "results/intermediate.h"
#include "support/scoped_context.h"
#include "tamo1dkernel.h"

namespace {

using tamo::test_support::ScopedContext;

// Storage function through the origin and (0.5, w50) with free saturation wf.
void loadStorage(const ScopedContext& c, int32_t material, double w50, double wf) {
  ASSERT_EQ(tamoSetMaterial(c.handle(), material, 1500.0, 0.3, 850.0, 0), TAMO_OK);
  const double xs[2] = {0.5, 1.0};
  const double ys[2] = {w50, wf};
  ASSERT_EQ(tamoSetMaterialFunction(c.handle(), material, 1, 1, 2, xs, ys), TAMO_OK);
}

TEST(Intermediate, DewPointInvertsTheSaturationPressure) {
  // Saturated air condenses at its own temperature.
  for (double T : {-30.0, -5.0, 0.0, 12.5, 40.0}) {
    EXPECT_NEAR(tamo::dewPoint(T, 1.0), T, 1e-12) << T;
  }
  EXPECT_EQ(tamo::dewPoint(20.0, 0.0), -100.0);
  EXPECT_EQ(tamo::dewPoint(-20.0, -0.1), -100.0);
  // The saturation pressure at the dew point is the partial pressure of the vapour (on the
  // same branch: over water above 0 degC, over ice below).
  struct Case {
    double T, phi;
  };
  for (Case k :
       {Case{20.0, 0.5}, Case{35.0, 0.8}, Case{5.0, 0.9}, Case{-10.0, 0.7}, Case{-2.0, 0.3}}) {
    const double dew = tamo::dewPoint(k.T, k.phi);
    EXPECT_LT(dew, k.T);
    EXPECT_NEAR(tamo::saturationVapourPressure(dew) / tamo::saturationVapourPressure(k.T), k.phi,
                1e-12)
        << k.T << " " << k.phi;
  }
}

TEST(Intermediate, LayerWalkWithARecurringMaterial) {
  ScopedContext c;
  // X(1) = 0.01; node volumes 0.01 (half), 0.02, 0.03, 0.02, 0.01 (half); materials of
  // nodes 2..6: 1, 1, 2, 1, 4 (material 3 unused).
  const std::array<double, 6> X = {0.01, 0.03, 0.05, 0.08, 0.10, 0.12};
  const std::array<int32_t, 6> mat = {0, 1, 1, 2, 1, 4};
  ASSERT_EQ(tamoSetGrid(c.handle(), 6, X.data(), 0.0, mat.data()), TAMO_OK);
  for (int32_t m = 1; m <= 4; ++m) loadStorage(c, m, 10.0 * m, 100.0 * m);

  const std::array<double, 7> T = {0.0, 20.0, 15.0, 10.0, 5.0, 0.0, -5.0};
  const std::array<double, 7> phi = {0.5, 0.6, 0.7, 0.8, 0.5, 0.4, 0.9};
  std::array<double, 7> w{}, psat{}, dew{};
  dew.fill(123.0);
  std::array<double, 5> layer{};
  layer.fill(-7.0);
  double interior = 0.0, total = 0.0;
  ASSERT_EQ(tamoGetIntermediate(c.handle(), 0, T.data(), phi.data(), w.data(), psat.data(),
                                dew.data(), 4, layer.data(), &interior, &total),
            TAMO_OK);
  EXPECT_EQ(w[0] + w[6], 0.0);
  for (int i = 1; i <= 5; ++i) ASSERT_GT(w[i], 0.0) << "storage function missing";
  for (int i = 0; i < 7; ++i) EXPECT_EQ(psat[i], tamo::saturationVapourPressure(T[i])) << i;
  EXPECT_TRUE(dew[0] == 123.0 && dew[6] == 123.0);  // the ambient entries keep the host's
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(dew[i], tamo::dewPoint(T[i], phi[i])) << i;

  // Hand walk (w[1] is node 2): material 1 from 0.0 (not X(1)) to X(3) = 0.05; material 2
  // to X(4) = 0.08; material 1 again to X(5) = 0.10, accumulated on top of the mean of its
  // first layer; material 4 to the middle of the last element, 0.11.
  const double water1 = w[1] * 0.01 + w[2] * 0.02;
  const double mean1 = water1 / 0.05;
  const double water2 = w[3] * 0.03;
  const double second1 = mean1 + w[4] * 0.02;
  const double water4 = w[5] * 0.01;
  EXPECT_NEAR(layer[0], second1 / 0.02, 1e-12);
  EXPECT_NEAR(layer[1], water2 / 0.03, 1e-12);
  EXPECT_EQ(layer[2], 0.0);  // material 3 forms no layer
  EXPECT_NEAR(layer[3], water4 / 0.01, 1e-12);
  EXPECT_EQ(layer[4], -7.0);  // beyond the requested count
  const double W = water1 + water2 + second1 + water4;
  EXPECT_NEAR(total, W, 1e-12);
  EXPECT_NEAR(interior, (W - w[1] * 0.01 - w[5] * 0.01) / (0.11 - 0.01 - 0.01), 1e-12);

  // Fewer materials than the grid uses: the same leading layers, nothing beyond them.
  std::array<double, 3> fewer = {-7.0, -7.0, -7.0};
  ASSERT_EQ(tamoGetIntermediate(c.handle(), 0, T.data(), phi.data(), w.data(), psat.data(),
                                dew.data(), 2, fewer.data(), &interior, &total),
            TAMO_OK);
  EXPECT_EQ(fewer, (std::array<double, 3>{layer[0], layer[1], -7.0}));

  for (int32_t count : {5, 0}) {
    EXPECT_EQ(tamoGetIntermediate(c.handle(), 0, T.data(), phi.data(), w.data(), psat.data(),
                                  dew.data(), count, layer.data(), &interior, &total),
              TAMO_BAD_MATERIAL_COUNT);
  }
}

TEST(Intermediate, TransportCopyIsLimitedToTheNodeCount) {
  ScopedContext c;
  const std::array<double, 3> X = {0.0, 0.1, 0.2};
  const std::array<int32_t, 3> mat = {0, 1, 1};
  ASSERT_EQ(tamoSetGrid(c.handle(), 3, X.data(), 0.0, mat.data()), TAMO_OK);
  tamo::Context& ctx = c.ctx();
  for (int k = 1; k <= 4; ++k) {
    ctx.heatConductance[k] = k;
    ctx.vapourPermeability[k] = 10.0 * k;
    ctx.liquidTransferCoefficient[k] = 100.0 * k;
  }
  std::array<double, 6> lambda, delta, liquid;
  for (auto* a : {&lambda, &delta, &liquid}) a->fill(-1.0);
  ASSERT_EQ(tamoGetTransport(c.handle(), 6, lambda.data(), delta.data(), liquid.data()), TAMO_OK);
  EXPECT_EQ(lambda, (std::array<double, 6>{1, 2, 3, 4, -1, -1}));
  EXPECT_EQ(delta, (std::array<double, 6>{10, 20, 30, 40, -1, -1}));
  EXPECT_EQ(liquid, (std::array<double, 6>{100, 200, 300, 400, -1, -1}));
}

}  // namespace
