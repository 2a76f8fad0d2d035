// A wall built through the C API for the step tests, with the host's node arrays.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "interface/context_table.h"
#include "model/context.h"
#include "tamo1dkernel.h"

namespace walltest {

struct Layer {
  double thickness;  // [m]
  int32_t elements;  // elements of the layer (the surface elements come on top)
  int32_t material;  // material number
};

// Interface positions: equal elements per layer, then a thin `surfaceElement` split off at
// each surface; elementMaterials receives the material of each element (entry 0 unread).
inline std::vector<double> positions(const std::vector<Layer>& layers, double surfaceElement,
                                     std::vector<int32_t>& elementMaterials) {
  std::vector<double> X = {0.0};
  elementMaterials = {0};
  double start = 0.0;
  for (const Layer& layer : layers) {
    for (int32_t e = 1; e <= layer.elements; ++e) {
      X.push_back(start + layer.thickness * e / layer.elements);
      elementMaterials.push_back(layer.material);
    }
    start = X.back();
  }
  if (surfaceElement > 0.0) {
    const double L = X.back();
    X.insert(X.begin() + 1, surfaceElement);
    elementMaterials.insert(elementMaterials.begin() + 1, layers.front().material);
    X.insert(X.end() - 1, L - surfaceElement);
    elementMaterials.insert(elementMaterials.end() - 1, layers.back().material);
  }
  return X;
}

// Dry and hygric properties of a test material.
struct TestMaterial {
  double rho = 1500.0;                                    // [kg/m3]
  double por = 0.3;                                       // [-]
  double cap = 850.0;                                     // [J/(kg K)]
  double lambda = 0.5;                                    // [W/(m K)], constant
  double mu = 10.0;                                       // [-], constant
  std::vector<double> storagePhi = {0.2, 0.5, 0.8, 1.0};  // storage table
  std::vector<double> storageW = {2.0, 5.0, 8.0, 10.0};   // [kg/m3]
  double waterAbsorption = 0.0;  // A [kg/(m2 s^0.5)]; > 0 loads the liquid transport
};

inline void defineMaterial(int32_t h, int32_t m, const TestMaterial& s) {
  ASSERT_EQ(tamoSetMaterial(h, m, s.rho, s.por, s.cap, 0), TAMO_OK);
  ASSERT_EQ(tamoSetMaterialFunction(h, m, 1, 0, static_cast<int32_t>(s.storagePhi.size()),
                                    s.storagePhi.data(), s.storageW.data()),
            TAMO_OK);
  const double w0[] = {0.0};
  const double lambda[] = {s.lambda};
  ASSERT_EQ(tamoSetMaterialFunction(h, m, 4, 0, 1, w0, lambda), TAMO_OK);
  ASSERT_EQ(tamoSetMaterialFunction(h, m, 5, 0, 0, nullptr, nullptr), TAMO_OK);
  const double phis[] = {0.0, 1.0};
  const double mus[] = {s.mu, s.mu};
  ASSERT_EQ(tamoSetMaterialFunction(h, m, 6, 0, 2, phis, mus), TAMO_OK);
  if (s.waterAbsorption > 0.0) {
    const double a[] = {s.waterAbsorption};
    const double x[] = {0.0};
    ASSERT_EQ(tamoSetMaterialFunction(h, m, 2, 1, 1, x, a), TAMO_OK);
    ASSERT_EQ(tamoSetMaterialFunction(h, m, 3, 1, 1, x, a), TAMO_OK);
  }
}

// Climate of both sides for one step.
struct Climate {
  double hA = 8.0, sdA = 0.0, TA = 20.0, phiA = 0.5, radiationA = 0.0, rainA = 0.0;
  double hB = 25.0, sdB = 0.0, TB = 0.0, phiB = 0.8, radiationB = 0.0, rainB = 0.0;
  double pressure = 101325.0;
};

struct StepResult {
  int32_t code = 0;
  int32_t iterations = 0;
  int32_t status = 0;
  double maxHumidityChange = 0.0;
  double maxTemperatureChange = 0.0;
};

// One context with a wall and the host's node state.
class Wall {
 public:
  Wall(const std::vector<Layer>& layers, double surfaceElement) : handle_(tamoCreateContext()) {
    std::vector<int32_t> mats;
    const std::vector<double> X = positions(layers, surfaceElement, mats);
    const auto N = static_cast<int32_t>(X.size());
    EXPECT_EQ(tamoSetGrid(handle_, N, X.data(), 0.0, mats.data()), TAMO_OK);
    n_ = N + 1;
    T.assign(n_, 20.0);
    phi.assign(n_, 0.5);
    w.assign(n_, 0.0);
  }
  ~Wall() { tamoDeleteContext(handle_); }
  Wall(const Wall&) = delete;
  Wall& operator=(const Wall&) = delete;

  int32_t handle() const { return handle_; }
  int32_t n() const { return n_; }
  tamo::Context& ctx() const { return *tamo::findContext(handle_); }

  void setParameters(bool heat, bool moisture, bool liquid, bool evaporation = false,
                     bool fineConvergence = false) {
    ASSERT_EQ(tamoSetParameter(handle_, heat, moisture, liquid, fineConvergence, 0, 0, evaporation,
                               0, 0, 0, 0),
              TAMO_OK);
  }
  void setSurfaces(double rainFactorA = 0.0, double rainFactorB = 0.0) {
    ASSERT_EQ(tamoSetSurfaceCondition(handle_, 101325.0, 8.0, 0.0, 0.6, 0.9, rainFactorA, 0.0, 0,
                                      25.0, 0.0, 0.6, 0.9, rainFactorB, 0.0, 0),
              TAMO_OK);
  }

  StepResult step(const Climate& c, double dt) {
    StepResult r;
    r.code = tamoStep2(handle_, c.hA, c.sdA, c.TA, c.phiA, c.radiationA, 0.0, c.rainA, c.hB, c.sdB,
                       c.TB, c.phiB, c.radiationB, 0.0, c.rainB, c.pressure, dt, 0, T.data(),
                       phi.data(), w.data(), &r.iterations, &r.maxHumidityChange,
                       &r.maxTemperatureChange, &r.status);
    return r;
  }

  // Heat, enthalpy, vapour and liquid fluxes of the N interfaces, interface 1 first.
  struct Fluxes {
    std::vector<double> heat, enthalpy, vapour, liquid;
  };
  Fluxes fluxes() const {
    const auto N = static_cast<std::size_t>(n_ - 1);
    Fluxes f{std::vector<double>(N), std::vector<double>(N), std::vector<double>(N),
             std::vector<double>(N)};
    EXPECT_EQ(tamoGetFlux(handle_, 0, T.data(), phi.data(), f.heat.data(), f.enthalpy.data(),
                          f.vapour.data(), f.liquid.data()),
              TAMO_OK);
    return f;
  }

  // Water of the component per unit area [kg/m2] from the water contents of the last step.
  double totalWater() const {
    double total = 0.0;
    for (int32_t i = 2; i <= n_ - 1; ++i) total += w[i - 1] * ctx().nodeVolume[i];
    return total;
  }

  std::vector<double> T, phi, w;  // host node arrays, element 0 is node 1

 private:
  int32_t handle_;
  int32_t n_ = 0;
};

}  // namespace walltest
