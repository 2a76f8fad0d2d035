// Regression case of the whole time step (three-layer wall, every material function and source,
// rain, radiation, latent heats; plane and cylindrical): 64-bit digests of every output section
// against a verified build; 1014 interior nodes give the same bits on 1 and 2 threads.
// After an intended numerical change print the new digests with
//   TAMO_PRINT_REGRESSION_REFERENCE=1 test_solver --gtest_filter='RegressionReference.*'
#include <gtest/gtest.h>
#include <omp.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

#include "wall_fixture.h"

namespace {

struct Section {
  std::string name;
  std::vector<double> values;
};

using Outcome = std::vector<Section>;

void append(Section& s, std::initializer_list<const std::vector<double>*> arrays) {
  for (const auto* v : arrays) s.values.insert(s.values.end(), v->begin(), v->end());
}

void load(int32_t h, int32_t m, int32_t kind, int32_t analytic, const std::vector<double>& xs,
          const std::vector<double>& ys) {
  ASSERT_EQ(
      tamoSetMaterialFunction(h, m, kind, analytic, static_cast<int32_t>(ys.size()),
                              xs.empty() ? nullptr : xs.data(), ys.empty() ? nullptr : ys.data()),
      TAMO_OK)
      << "material " << m << " kind " << kind;
}

// A team choice that has just seen a team step win clearly: the coming steps run whole inner
// iterations on a team whatever the load of the machine.
tamo::TeamChoice teamChosen() {
  tamo::TeamChoice choice;
  choice.record(false, 1.0);
  choice.record(true, 1e-12);
  return choice;
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

// Every output of the wall with `scale` times 3 + 12 + 8 elements (and two 1 mm surface
// elements) and radius of side A (0: plane), stepped `steps` hours.
Outcome runWall(int scale, int steps, int threads, double radius = 0.0) {
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
    EXPECT_EQ(tamoSetGrid(h, N, X.data(), radius, mats.data()), TAMO_OK);
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
    const double radiationShare[] = {0.1}, airChanges[] = {0.5};
    EXPECT_EQ(tamoSetSource(h, 4, 0, 0, 1, 0.005, 0.01, radiationShare), TAMO_OK);
    EXPECT_EQ(tamoSetSource(h, 5, 2, 0, 2, 0.3, 0.05, airChanges), TAMO_OK);

    const auto un = static_cast<std::size_t>(n);
    std::vector<double> T(un, 10.0), phi(un, 0.7), w(un, 0.0);
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
      if (threads > 1) tamo::findContext(h)->teamChoice = teamChosen();
      int32_t iterations = 0, status = 0;
      double dPhi = 0.0, dT = 0.0;
      const int32_t code = tamoStep2(h, 17.0, 0.0, TA, phiA, radiationA, 280.0, rainA, 8.0, 0.01,
                                     TB, phiB, 0.0, 0.0, 0.0, pressure, 3600.0, 0, T.data(),
                                     phi.data(), w.data(), &iterations, &dPhi, &dT, &status);
      log.insert(log.end(), {static_cast<double>(code), static_cast<double>(iterations),
                             static_cast<double>(status), dPhi, dT});
    }
    out.push_back({"StepLog", log});
    out.push_back({"State", T});
    append(out.back(), {&phi, &w});

    std::vector<double> a(un), b(un), c(un), d(un);
    EXPECT_EQ(tamoGetSolver(h, n, a.data(), b.data(), c.data(), d.data()), TAMO_OK);
    out.push_back({"System", a});
    append(out.back(), {&b, &c, &d});

    const auto uN = static_cast<std::size_t>(N);
    std::vector<double> heat(uN), enthalpy(uN), vapour(uN), liquid(uN);
    EXPECT_EQ(tamoGetFlux(h, 0, T.data(), phi.data(), heat.data(), enthalpy.data(), vapour.data(),
                          liquid.data()),
              TAMO_OK);
    out.push_back({"Fluxes", heat});
    append(out.back(), {&enthalpy, &vapour, &liquid});

    Section derived{"Derived", std::vector<double>(4)};
    EXPECT_EQ(tamoGetSurfaceCoeff(h, &derived.values[0], &derived.values[1], &derived.values[2],
                                  &derived.values[3]),
              TAMO_OK);
    double layer[3], interior = 0.0, total = 0.0;
    EXPECT_EQ(tamoGetIntermediate(h, 0, T.data(), phi.data(), a.data(), b.data(), c.data(), 3,
                                  layer, &interior, &total),
              TAMO_OK);
    for (const auto* v : {&a, &b, &c})
      derived.values.insert(derived.values.end(), v->begin() + 1, v->end() - 1);
    derived.values.insert(derived.values.end(), {layer[0], layer[1], layer[2], interior, total});
    EXPECT_EQ(tamoGetTransport(h, n, a.data(), b.data(), c.data()), TAMO_OK);
    append(derived, {&a, &b, &c});
    for (int32_t source = 1; source <= 5; ++source) {
      double q[2] = {0.0, 0.0};
      EXPECT_EQ(tamoGetSourceQuantity(h, source, n, T.data(), phi.data(), &q[0], &q[1]), TAMO_OK);
      derived.values.insert(derived.values.end(), {q[0], q[1]});
    }
    out.push_back(derived);
  }
  tamoDeleteContext(h);
  omp_set_num_threads(saved);
  return out;
}

// FNV-1a over the bit patterns of the values.
uint64_t digest(const std::vector<double>& values) {
  uint64_t hash = 14695981039346656037ull;
  for (double v : values) {
    const auto bits = std::bit_cast<uint64_t>(v);
    for (int byte = 0; byte < 8; ++byte) {
      hash ^= (bits >> (8 * byte)) & 0xffu;
      hash *= 1099511628211ull;
    }
  }
  return hash;
}

struct Recorded {
  const char* run;
  const char* section;
  uint64_t digest;
};

// Digests recorded from a verified build.
constexpr Recorded kRecorded[] = {
#include "regression_digests.inc"
};

void expectRecorded(const char* run, const Outcome& outcome) {
  for (const Section& s : outcome) {
    const uint64_t actual = digest(s.values);
    if (const char* v = std::getenv("TAMO_PRINT_REGRESSION_REFERENCE"); v && v[0] == '1')
      std::printf("    {\"%s\", \"%s\", 0x%016llxull},\n", run, s.name.c_str(),
                  static_cast<unsigned long long>(actual));
    bool found = false;
    for (const Recorded& r : kRecorded) {
      if (std::string(r.run) != run || s.name != r.section) continue;
      found = true;
      EXPECT_EQ(actual, r.digest) << run << " " << s.name;
    }
    EXPECT_TRUE(found) << run << " " << s.name;
  }
}

TEST(RegressionReference, LayeredWallReproducesTheRecordedDigests) {
  const Outcome plane = runWall(1, 100, 1);
  expectRecorded("Wall", plane);
  expectRecorded("Cylinder", runWall(1, 40, 1, 0.3));
  // Every step was accepted and iterated.
  for (std::size_t s = 0; s < 100; ++s) {
    EXPECT_EQ(plane[0].values[5 * s], 0.0) << "step " << s;
    EXPECT_GE(plane[0].values[5 * s + 1], 1.0) << "step " << s;
  }
}

TEST(RegressionReference, FineWallGivesTheSameBitsOnOneAndTwoThreads) {
  // 44 times the elements: 1014 interior nodes, enough to form a team of threads.
  const Outcome one = runWall(44, 20, 1);
  const Outcome two = runWall(44, 20, 2);
  ASSERT_EQ(one.size(), two.size());
  for (std::size_t k = 0; k < one.size(); ++k) {
    EXPECT_EQ(digest(one[k].values), digest(two[k].values)) << one[k].name;
  }
  expectRecorded("Fine", one);
}

}  // namespace
