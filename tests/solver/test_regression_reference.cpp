// Regression case of the whole time step: a three-layer wall (plaster, brick, insulation)
// with tabulated and analytic material functions, rain and explicit long-wave radiation on
// side A, temperature-dependent latent heat of evaporation, latent heat of fusion (the
// outer layers freeze and thaw), a heat source, a rain-fed moisture source and an
// infiltration source, run for 100 hourly steps under a changing climate. The final node
// state, the last tridiagonal system and the interface fluxes are compared bit for bit
// with values recorded from a verified build, on one and on two threads: any change of a
// floating-point operation or of its order anywhere in the step shows up here.
//
// After an intended numerical change, regenerate the literals with
//   TAMO_PRINT_REGRESSION_REFERENCE=1 test_solver --gtest_filter='RegressionReference.*'
// and paste the printed arrays below, replacing the old ones.
#include <gtest/gtest.h>
#include <omp.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "wall_fixture.h"

namespace {

// A named array of results.
struct Section {
  std::string name;
  std::vector<double> values;
};

using Outcome = std::vector<Section>;

void load(int32_t h, int32_t m, int32_t kind, int32_t analytic, const std::vector<double>& xs,
          const std::vector<double>& ys) {
  ASSERT_EQ(
      tamoSetMaterialFunction(h, m, kind, analytic, static_cast<int32_t>(ys.size()),
                              xs.empty() ? nullptr : xs.data(), ys.empty() ? nullptr : ys.data()),
      TAMO_OK)
      << "material " << m << " kind " << kind;
}

// Brick (1): storage table, liquid transport and both conductivities from parameters.
// Insulation (2): fitted storage power form, conductivity table, enthalpy table.
// Plaster (3): fitted storage hyperbola, every other function as a table.
void defineMaterials(int32_t h) {
  ASSERT_EQ(tamoSetMaterial(h, 1, 1800.0, 0.3, 850.0, 0), TAMO_OK);
  load(h, 1, 1, 0, {0.5, 0.8, 0.95, 1.0}, {4.0, 8.0, 20.0, 180.0});
  load(h, 1, 2, 1, {0.0}, {0.08});
  load(h, 1, 3, 1, {0.0}, {0.08});
  load(h, 1, 4, 1, {0.0, 0.0}, {0.6, 8.0});
  load(h, 1, 5, 1, {0.0, 0.0}, {0.6, 0.002});
  load(h, 1, 6, 0, {0.0, 0.5, 1.0}, {12.0, 10.8, 7.2});

  ASSERT_EQ(tamoSetMaterial(h, 2, 30.0, 0.95, 1500.0, 0), TAMO_OK);
  load(h, 2, 1, 1, {0.5, 0.8, 1.0}, {0.5, 1.0, 2.0});
  load(h, 2, 4, 0, {0.0, 50.0}, {0.04, 0.06});
  load(h, 2, 5, 0, {}, {});
  load(h, 2, 6, 0, {0.0, 1.0}, {1.5, 1.4});
  load(h, 2, 7, 0, {-20.0, 0.0, 40.0}, {-29000.0, 0.0, 62000.0});

  ASSERT_EQ(tamoSetMaterial(h, 3, 1300.0, 0.4, 850.0, 0), TAMO_OK);
  load(h, 3, 1, 1, {0.8, 1.0}, {6.0, 250.0});
  load(h, 3, 2, 0, {0.0, 50.0, 250.0, 300.0}, {1e-12, 1e-10, 5e-9, 5e-9});
  load(h, 3, 3, 0, {0.0, 50.0, 250.0, 300.0}, {1e-12, 2e-11, 5e-10, 5e-10});
  load(h, 3, 4, 0, {0.0, 100.0}, {0.7, 1.1});
  load(h, 3, 5, 0, {-10.0, 30.0}, {0.69, 0.72});
  load(h, 3, 6, 0, {0.0, 0.5, 1.0}, {8.0, 7.0, 5.0});
  load(h, 3, 7, 0, {-30.0, 0.0, 50.0}, {-25000.0, 0.0, 43000.0});
}

// The wall with `scale` times the elements of the regression grid (3 + 12 + 8 elements and
// two 1 mm surface elements at scale 1), stepped `steps` hours. Returns the final state.
Outcome runWall(int scale, int steps, int threads) {
  const int saved = omp_get_max_threads();
  omp_set_num_threads(threads);
  Outcome out;
  const int32_t h = tamoCreateContext();
  {
    std::vector<int32_t> mats;
    std::vector<double> X = walltest::positions(
        {{0.015, 3 * scale, 3}, {0.24, 12 * scale, 1}, {0.1, 8 * scale, 2}}, 0.001, mats);
    const auto N = static_cast<int32_t>(X.size());
    const int32_t n = N + 1;
    EXPECT_EQ(tamoSetGrid(h, N, X.data(), 0.0, mats.data()), TAMO_OK);
    // heat, moisture, liquid, evaporation with temperature-dependent latent heat, fusion
    EXPECT_EQ(tamoSetParameter1(h, 1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0), TAMO_OK);
    defineMaterials(h);
    EXPECT_EQ(tamoSetSurfaceCondition(h, 101325.0, 17.0, 0.0, 0.6, 0.9, 0.7, 4.5, 1, 8.0, 0.01, 0.4,
                                      0.9, 0.0, 0.0, 0),
              TAMO_OK);
    const double heatValue[] = {15.0, 0.0, 0.0};    // W/m2 in the brick
    const double rainShare[] = {0.2, 0.0, 0.0};     // of the rain on side A
    const double infiltration[] = {3.0, 5.0, 2.0};  // leakage, stack, overpressure
    EXPECT_EQ(tamoSetSource(h, 1, 0, 0, 0, 0.1, 0.05, heatValue), TAMO_OK);
    EXPECT_EQ(tamoSetSource(h, 2, 1, 0, 1, 0.02, 0.02, rainShare), TAMO_OK);
    EXPECT_EQ(tamoSetSource(h, 3, 1, 1, 2, 0.27, 0.06, infiltration), TAMO_OK);

    std::vector<double> T(static_cast<std::size_t>(n), 10.0);
    std::vector<double> phi(static_cast<std::size_t>(n), 0.7);
    std::vector<double> w(static_cast<std::size_t>(n), 0.0);
    std::vector<double> log;  // code, iterations, status, changes of every step
    for (int step = 0; step < steps; ++step) {
      if (step == 30) {
        const double stronger[] = {25.0, 0.0, 0.0};
        EXPECT_EQ(tamoUpdateSource(h, 1, stronger), TAMO_OK);
      }
      const double TA = -3.0 + 9.0 * std::sin(step * 0.2);
      const double phiA = 0.8 + 0.15 * std::cos(step * 0.3);
      const double radiationA = step % 24 < 10 ? 350.0 : -50.0;
      const double rainA = (step / 8) % 3 == 1 ? 2.5 : 0.0;
      const double TB = 20.0 + 2.0 * std::sin(step * 0.05);
      const double phiB = 0.5 + 0.1 * std::sin(step * 0.07);
      const double pressure = 101325.0 - 500.0 * std::sin(step * 0.1);
      int32_t iterations = 0;
      int32_t status = 0;
      double dPhi = 0.0;
      double dT = 0.0;
      const int32_t code = tamoStep2(h, 17.0, 0.0, TA, phiA, radiationA, 280.0, rainA, 8.0, 0.01,
                                     TB, phiB, 0.0, 0.0, 0.0, pressure, 3600.0, 0, T.data(),
                                     phi.data(), w.data(), &iterations, &dPhi, &dT, &status);
      log.insert(log.end(), {static_cast<double>(code), static_cast<double>(iterations),
                             static_cast<double>(status), dPhi, dT});
    }
    out.push_back({"StepLog", log});
    out.push_back({"Temperature", T});
    out.push_back({"Humidity", phi});
    out.push_back({"WaterContent", w});

    const auto un = static_cast<std::size_t>(n);
    std::vector<double> lower(un), diagonal(un), upper(un), rhs(un);
    EXPECT_EQ(tamoGetSolver(h, n, lower.data(), diagonal.data(), upper.data(), rhs.data()),
              TAMO_OK);
    out.push_back({"SystemLower", lower});
    out.push_back({"SystemDiagonal", diagonal});
    out.push_back({"SystemUpper", upper});
    out.push_back({"SystemRightHandSide", rhs});

    const auto uN = static_cast<std::size_t>(N);
    std::vector<double> heat(uN), enthalpy(uN), vapour(uN), liquid(uN);
    EXPECT_EQ(tamoGetFlux(h, 0, T.data(), phi.data(), heat.data(), enthalpy.data(), vapour.data(),
                          liquid.data()),
              TAMO_OK);
    out.push_back({"HeatFlux", heat});
    out.push_back({"EnthalpyFlux", enthalpy});
    out.push_back({"VapourFlux", vapour});
    out.push_back({"LiquidFlux", liquid});
  }
  tamoDeleteContext(h);
  omp_set_num_threads(saved);
  return out;
}

// Every `stride`-th entry of each node and interface array (entries 1, 1 + stride, ...,
// and always the last); the step log whole.
Outcome sampled(const Outcome& full, std::size_t stride) {
  Outcome out;
  for (const Section& s : full) {
    if (s.name == "StepLog") {
      out.push_back(s);
      continue;
    }
    Section t{s.name, {}};
    for (std::size_t i = 0; i < s.values.size(); i += stride) t.values.push_back(s.values[i]);
    if ((s.values.size() - 1) % stride != 0) t.values.push_back(s.values.back());
    out.push_back(t);
  }
  return out;
}

bool printRequested() {
  const char* v = std::getenv("TAMO_PRINT_REGRESSION_REFERENCE");
  return v != nullptr && v[0] == '1';
}

// Prints an outcome as C++ arrays of hexadecimal double literals.
void printOutcome(const char* prefix, const Outcome& outcome) {
  for (const Section& s : outcome) {
    std::printf("const std::vector<double> k%s%s = {", prefix, s.name.c_str());
    for (std::size_t i = 0; i < s.values.size(); ++i) {
      std::printf("%s%a", i % 3 == 0 ? "\n    " : " ", s.values[i]);
      if (i + 1 < s.values.size()) std::printf(",");
    }
    std::printf("};\n");
  }
}

void expectBitIdentical(const Outcome& actual, const std::vector<const std::vector<double>*>& ref,
                        const char* label) {
  ASSERT_EQ(actual.size(), ref.size());
  for (std::size_t k = 0; k < actual.size(); ++k) {
    const Section& s = actual[k];
    ASSERT_EQ(s.values.size(), ref[k]->size()) << label << " " << s.name;
    int mismatches = 0;
    for (std::size_t i = 0; i < s.values.size(); ++i) {
      const double expected = (*ref[k])[i];
      if (std::bit_cast<uint64_t>(s.values[i]) == std::bit_cast<uint64_t>(expected)) continue;
      // Report the first few differing entries of a section, not hundreds.
      if (++mismatches <= 3) {
        ADD_FAILURE() << label << " " << s.name << "[" << i << "]: " << std::hexfloat << s.values[i]
                      << " expected " << expected;
      }
    }
    EXPECT_EQ(mismatches, 0) << label << " " << s.name;
  }
}

// clang-format off
// Recorded results of both walls (kWall..., kFine...).
#include "regression_reference_values.inc"
// clang-format on

TEST(RegressionReference, ThreeLayerWallReproducesTheRecordedStepsBitForBit) {
  const std::vector<const std::vector<double>*> ref = {
      &kWallStepLog,     &kWallTemperature,    &kWallHumidity,    &kWallWaterContent,
      &kWallSystemLower, &kWallSystemDiagonal, &kWallSystemUpper, &kWallSystemRightHandSide,
      &kWallHeatFlux,    &kWallEnthalpyFlux,   &kWallVapourFlux,  &kWallLiquidFlux};
  const Outcome one = runWall(1, 100, 1);
  if (printRequested()) printOutcome("Wall", one);
  expectBitIdentical(one, ref, "1 thread");
  expectBitIdentical(runWall(1, 100, 2), ref, "2 threads");

  // Every step was accepted and iterated.
  for (std::size_t s = 0; s < 100; ++s) {
    EXPECT_EQ(one[0].values[5 * s], 0.0) << "step " << s;
    EXPECT_GE(one[0].values[5 * s + 1], 1.0) << "step " << s;
  }
}

TEST(RegressionReference, FineWallOnATeamReproducesTheRecordedStepsBitForBit) {
  // 44 times the elements (1014 interior nodes): large enough for the step to share its
  // node loops among a team of threads. Every 44th entry of each array is recorded.
  const std::vector<const std::vector<double>*> ref = {
      &kFineStepLog,     &kFineTemperature,    &kFineHumidity,    &kFineWaterContent,
      &kFineSystemLower, &kFineSystemDiagonal, &kFineSystemUpper, &kFineSystemRightHandSide,
      &kFineHeatFlux,    &kFineEnthalpyFlux,   &kFineVapourFlux,  &kFineLiquidFlux};
  const Outcome one = sampled(runWall(44, 20, 1), 44);
  if (printRequested()) printOutcome("Fine", one);
  expectBitIdentical(one, ref, "1 thread");
  expectBitIdentical(sampled(runWall(44, 20, 2), 44), ref, "2 threads");
}

}  // namespace
