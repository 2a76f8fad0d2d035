// Sources in complete simulations: the steady temperature of a heated slab against the
// analytic solution, the energy balance of source and surface fluxes, and the water balance
// of a run with a moisture source (total water against the integrated surface fluxes and
// what the source delivered).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tamo1dkernel.h"

namespace {

class Simulation {
 public:
  Simulation() : handle_(tamoCreateContext()) {}
  ~Simulation() { tamoDeleteContext(handle_); }
  Simulation(const Simulation&) = delete;
  Simulation& operator=(const Simulation&) = delete;
  int32_t handle() const { return handle_; }

 private:
  int32_t handle_;
};

// One material: storage function through (0.5, 20) with free saturation 100 kg/m3,
// constant conductivity and vapour diffusion resistance, liquid transport from A.
void defineMaterial(const Simulation& s, double lambda) {
  ASSERT_EQ(tamoSetMaterial(s.handle(), 1, 1500.0, 0.3, 850.0, 0), TAMO_OK);
  const double sx[2] = {0.5, 1.0}, sy[2] = {20.0, 100.0};
  ASSERT_EQ(tamoSetMaterialFunction(s.handle(), 1, 1, 1, 2, sx, sy), TAMO_OK);
  const double a[1] = {0.01};
  ASSERT_EQ(tamoSetMaterialFunction(s.handle(), 1, 2, 1, 1, a, a), TAMO_OK);
  ASSERT_EQ(tamoSetMaterialFunction(s.handle(), 1, 3, 1, 1, a, a), TAMO_OK);
  const double l[1] = {lambda};
  ASSERT_EQ(tamoSetMaterialFunction(s.handle(), 1, 4, 1, 1, l, l), TAMO_OK);
  ASSERT_EQ(tamoSetMaterialFunction(s.handle(), 1, 5, 0, 0, nullptr, nullptr), TAMO_OK);
  const double mx[2] = {0.0, 1.0}, my[2] = {10.0, 10.0};
  ASSERT_EQ(tamoSetMaterialFunction(s.handle(), 1, 6, 0, 2, mx, my), TAMO_OK);
}

// Uniform grid of N interfaces over [0, L].
void defineGrid(const Simulation& s, int32_t N, double L) {
  std::vector<double> X(N);
  std::vector<int32_t> mat(N, 1);
  for (int32_t k = 0; k < N; ++k) X[k] = L * k / (N - 1);
  ASSERT_EQ(tamoSetGrid(s.handle(), N, X.data(), 0.0, mat.data()), TAMO_OK);
}

struct State {
  std::vector<double> T, phi, w;
  int32_t iterations = 0, status = 0;
  double dphi = 0.0, dT = 0.0;
};

int32_t step(const Simulation& s, State& st, double h, double Ta, double phiA, double dt) {
  return tamoStep2(s.handle(), h, 0.0, Ta, phiA, 0.0, 0.0, 0.0, h, 0.0, Ta, phiA, 0.0, 0.0, 0.0,
                   101325.0, dt, 0, st.T.data(), st.phi.data(), st.w.data(), &st.iterations,
                   &st.dphi, &st.dT, &st.status);
}

TEST(SourcePhysics, HeatedSlabReachesTheAnalyticSteadyState) {
  Simulation s;
  const int32_t N = 41;  // 40 elements of 2.5 mm
  const double L = 0.1, dx = L / (N - 1), lambda = 0.5, h = 10.0, Q = 100.0, Ta = 5.0;
  defineGrid(s, N, L);
  ASSERT_EQ(tamoSetParameter(s.handle(), 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0), TAMO_OK);
  defineMaterial(s, lambda);
  ASSERT_EQ(tamoSetSurfaceCondition(s.handle(), 101325.0, h, 0.0, 0.0, 0.9, 0.0, 0.0, 0, h, 0.0,
                                    0.0, 0.9, 0.0, 0.0, 0),
            TAMO_OK);
  const double q[1] = {Q};
  ASSERT_EQ(tamoSetSource(s.handle(), 1, 0, 0, 0, -1.0, 10.0, q), TAMO_OK);
  ASSERT_EQ(tamoUpdateSource(s.handle(), 1, q), TAMO_OK);

  const int32_t n = N + 1;
  State st{std::vector<double>(n, Ta), std::vector<double>(n, 0.0), std::vector<double>(n, 0.0)};
  for (int k = 0; k < 12; ++k) ASSERT_EQ(step(s, st, h, Ta, 0.0, 1e7), TAMO_OK);
  EXPECT_EQ(st.status, 0);

  // The nodes sit at the element centres; the surface nodes see the air through h. The
  // discretised slab spans L - dx with the source Q spread evenly over it.
  const double Lc = L - dx;
  for (int32_t i = 2; i <= N; ++i) {
    const double x = (i - 2) * dx;
    const double expected = Ta + Q / (2.0 * h) + Q / Lc / (2.0 * lambda) * x * (Lc - x);
    EXPECT_NEAR(st.T[i - 1], expected, 1e-6) << i;
  }

  // Energy balance: the source power leaves through both surfaces.
  std::vector<double> heat(N), enthalpy(N), vapour(N), liquid(N);
  ASSERT_EQ(tamoGetFlux(s.handle(), 0, st.T.data(), st.phi.data(), heat.data(), enthalpy.data(),
                        vapour.data(), liquid.data()),
            TAMO_OK);
  double sourceHeat = 0.0, sourceMoisture = -1.0;
  ASSERT_EQ(tamoGetSourceQuantity(s.handle(), 1, n, st.T.data(), st.phi.data(), &sourceHeat,
                                  &sourceMoisture),
            TAMO_OK);
  EXPECT_NEAR(sourceHeat, Q, 1e-9);
  EXPECT_EQ(sourceMoisture, 0.0);
  EXPECT_LT(heat[0], 0.0);  // towards side A
  EXPECT_GT(heat[N - 1], 0.0);
  EXPECT_NEAR(heat[N - 1] - heat[0], sourceHeat, 1e-8);
  EXPECT_NEAR(heat[N - 1], Q / 2.0, 1e-8);
}

TEST(SourcePhysics, WaterBalanceWithAMoistureSource) {
  Simulation s;
  const int32_t N = 21;
  const double L = 0.05, T0 = 20.0, phi0 = 0.5, dt = 3600.0, value = 2e-6;
  defineGrid(s, N, L);
  ASSERT_EQ(tamoSetParameter(s.handle(), 0, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0), TAMO_OK);
  defineMaterial(s, 0.5);
  ASSERT_EQ(tamoSetSurfaceCondition(s.handle(), 101325.0, 8.0, 0.0, 0.0, 0.9, 0.0, 0.0, 0, 8.0, 0.0,
                                    0.0, 0.9, 0.0, 0.0, 0),
            TAMO_OK);
  // 2e-6 kg/(m2 s) over the middle 2 cm.
  const double v[1] = {value};
  ASSERT_EQ(tamoSetSource(s.handle(), 1, 1, 0, 0, 0.015, 0.02, v), TAMO_OK);
  ASSERT_EQ(tamoUpdateSource(s.handle(), 1, v), TAMO_OK);

  const int32_t n = N + 1;
  State st{std::vector<double>(n, T0), std::vector<double>(n, phi0), std::vector<double>(n, 0.0)};
  auto totalWater = [&]() {
    std::vector<double> w(n), psat(n), dew(n);
    double layer = 0.0, interior = 0.0, total = 0.0;
    EXPECT_EQ(tamoGetIntermediate(s.handle(), 0, st.T.data(), st.phi.data(), w.data(), psat.data(),
                                  dew.data(), 1, &layer, &interior, &total),
              TAMO_OK);
    return total;
  };
  const double W0 = totalWater();

  double surfaceIn = 0.0, delivered = 0.0;
  std::vector<double> heat(N), enthalpy(N), vapour(N), liquid(N);
  for (int k = 0; k < 48; ++k) {
    ASSERT_EQ(step(s, st, 8.0, T0, phi0, dt), TAMO_OK);
    ASSERT_EQ(st.status, 0) << k;
    ASSERT_EQ(tamoGetFlux(s.handle(), 0, st.T.data(), st.phi.data(), heat.data(), enthalpy.data(),
                          vapour.data(), liquid.data()),
              TAMO_OK);
    // In at A minus out at B.
    surfaceIn += dt * (vapour[0] + liquid[0] - vapour[N - 1] - liquid[N - 1]);
    double sourceHeat = -1.0, sourceMoisture = 0.0;
    ASSERT_EQ(tamoGetSourceQuantity(s.handle(), 1, n, st.T.data(), st.phi.data(), &sourceHeat,
                                    &sourceMoisture),
              TAMO_OK);
    EXPECT_EQ(sourceHeat, 0.0);
    EXPECT_NEAR(sourceMoisture, value, 1e-15);  // far below the fill limit
    delivered += dt * sourceMoisture;
  }
  const double gained = totalWater() - W0;
  EXPECT_NEAR(delivered, 48.0 * dt * value, 1e-12);
  EXPECT_GT(gained, 0.0);
  EXPECT_LT(surfaceIn, 0.0);  // the wetted slab dries out through both surfaces
  // Water is conserved up to the vapour held in the pore air and the iteration tolerance.
  EXPECT_NEAR(gained, surfaceIn + delivered, 1e-3 * delivered);
}

}  // namespace
