// Cost of one material property evaluation: the moisture storage function with its
// derivative (30-row table and each analytic form), the liquid transport coefficient and
// the vapour diffusion resistance factor.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "material/properties.h"
#include "material/storage_function.h"
#include "model/material_functions.h"

namespace {

using tamo::MaterialRecord;

// Arguments spread over the range, visited in a scrambled order so that neither the branch
// predictor nor the row search sees a pattern.
std::vector<double> scrambledArguments(double lo, double hi) {
  std::vector<double> args(1024);
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::size_t j = (i * 389) % args.size();
    args[i] = lo + (hi - lo) * static_cast<double>(j) / static_cast<double>(args.size() - 1);
  }
  return args;
}

MaterialRecord baseMaterial() {
  MaterialRecord m;
  m.rho = 1800.0;
  m.por = 0.3;
  m.wmax = 300.0;
  return m;
}

// Storage table of 28 points; with the leading (0, 0) and the appended (1.01, wmax) row it
// has 30 rows.
MaterialRecord tableMaterial() {
  MaterialRecord m = baseMaterial();
  std::vector<double> xs, ys;
  for (int i = 1; i <= 28; ++i) {
    const double phi = 0.999 * i / 28.0;
    xs.push_back(phi);
    ys.push_back(150.0 / (1.0 + std::pow(-std::log(phi) / 0.02, 0.5)));
  }
  tamo::loadMaterialFunction(m, 1, 0, 28, xs.data(), ys.data());
  return m;
}

MaterialRecord analyticMaterial(int form) {
  MaterialRecord m = baseMaterial();
  if (form == 0) {
    tamo::loadMaterialFunction(m, 1, 0, 0, nullptr, nullptr);
  } else if (form == 1) {
    const double xs[] = {0.5, 0.0}, ys[] = {10.0, 150.0};
    tamo::loadMaterialFunction(m, 1, 1, 2, xs, ys);
  } else {
    const double xs[] = {0.5, 0.9, 0.0}, ys[] = {10.0, 40.0, 150.0};
    tamo::loadMaterialFunction(m, 1, 1, 3, xs, ys);
  }
  return m;
}

void runStorage(benchmark::State& state, const MaterialRecord& m) {
  const std::vector<double> args = scrambledArguments(0.0, 1.01);
  std::size_t i = 0;
  for (auto _ : state) {
    double d = 0.0;
    const double w = tamo::storageValue(m, args[i], &d);
    benchmark::DoNotOptimize(w);
    benchmark::DoNotOptimize(d);
    i = (i + 1) & 1023;
  }
}

void StorageTable30Rows(benchmark::State& state) {
  const MaterialRecord m = tableMaterial();
  if (m.nStorage != 30) state.SkipWithError("table does not have 30 rows");
  runStorage(state, m);
}
void StorageForm0(benchmark::State& state) {
  runStorage(state, analyticMaterial(0));
}
void StorageForm1(benchmark::State& state) {
  runStorage(state, analyticMaterial(1));
}
void StorageForm2(benchmark::State& state) {
  runStorage(state, analyticMaterial(2));
}

void LiquidCoefficient(benchmark::State& state) {
  MaterialRecord m = tableMaterial();
  std::vector<double> xs, ys;
  for (int i = 0; i < static_cast<int>(state.range(0)); ++i) {
    xs.push_back(160.0 * i / (state.range(0) - 1));
    ys.push_back(1e-10 * std::pow(1e4, static_cast<double>(i) / (state.range(0) - 1)));
  }
  tamo::loadMaterialFunction(m, 2, 0, static_cast<int>(xs.size()), xs.data(), ys.data());
  const std::vector<double> args = scrambledArguments(0.0, m.wf);
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tamo::liquidTransportCoefficient(m, args[i], true));
    i = (i + 1) & 1023;
  }
}

void ResistanceFactor(benchmark::State& state) {
  MaterialRecord m = baseMaterial();
  std::vector<double> xs, ys;
  for (int i = 0; i < static_cast<int>(state.range(0)); ++i) {
    xs.push_back(0.05 + 0.9 * i / (state.range(0) - 1));
    ys.push_back(200.0 - 150.0 * i / (state.range(0) - 1));
  }
  tamo::loadMaterialFunction(m, 6, 0, static_cast<int>(xs.size()), xs.data(), ys.data());
  const std::vector<double> args = scrambledArguments(0.0, 1.0);
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tamo::vapourResistanceFactor(m, args[i]));
    i = (i + 1) & 1023;
  }
}

BENCHMARK(StorageTable30Rows);
BENCHMARK(StorageForm0);
BENCHMARK(StorageForm1);
BENCHMARK(StorageForm2);
BENCHMARK(LiquidCoefficient)->Arg(4)->Arg(30);
BENCHMARK(ResistanceFactor)->Arg(4)->Arg(30);

}  // namespace

BENCHMARK_MAIN();
