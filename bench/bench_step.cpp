// Cost of whole time steps: a three-layer wall (plaster, masonry, insulation) with 20, 100,
// 400 and 2000 interior nodes, coupled heat and moisture transport with liquid transport
// and latent heat, under a daily climate cycle, on 1 and 2 threads. Reports microseconds
// per step, inner iterations per step and nanoseconds per node and inner iteration.
#include <benchmark/benchmark.h>
#include <omp.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "interface/context_table.h"
#include "model/context.h"
#include "tamo1dkernel.h"

namespace {

struct MaterialData {
  double rho, por, cap, lambda, mu, waterAbsorption;
  std::vector<double> phi, w;  // storage table
};

void defineMaterial(int32_t h, int32_t m, const MaterialData& s) {
  tamoSetMaterial(h, m, s.rho, s.por, s.cap, 0);
  tamoSetMaterialFunction(h, m, 1, 0, static_cast<int32_t>(s.phi.size()), s.phi.data(), s.w.data());
  const double w0[] = {0.0}, lambda[] = {s.lambda, 8.0};
  tamoSetMaterialFunction(h, m, 4, 1, 2, w0, lambda);  // lambda(w) = lambda0 (1 + 8 w / rho)
  tamoSetMaterialFunction(h, m, 5, 0, 0, nullptr, nullptr);
  const double phis[] = {0.0, 0.5, 1.0}, mus[] = {s.mu, 0.9 * s.mu, 0.6 * s.mu};
  tamoSetMaterialFunction(h, m, 6, 0, 3, phis, mus);
  if (s.waterAbsorption > 0.0) {
    const double a[] = {s.waterAbsorption}, x[] = {0.0};
    tamoSetMaterialFunction(h, m, 2, 1, 1, x, a);
    tamoSetMaterialFunction(h, m, 3, 1, 1, x, a);
  }
}

// A wall with `interior` interior nodes: 5% plaster, 65% masonry, 30% insulation.
class BenchWall {
 public:
  explicit BenchWall(int interior) : handle_(tamoCreateContext()) {
    const int plaster = std::max(1, interior / 20);
    const int insulation = std::max(1, interior * 3 / 10);
    const int masonry = interior - plaster - insulation;
    std::vector<double> X = {0.0};
    std::vector<int32_t> mats = {0};
    auto addLayer = [&](double thickness, int elements, int32_t material) {
      const double start = X.back();
      for (int e = 1; e <= elements; ++e) {
        X.push_back(start + thickness * e / elements);
        mats.push_back(material);
      }
    };
    addLayer(0.015, plaster, 3);
    addLayer(0.24, masonry, 1);
    addLayer(0.1, insulation, 2);
    tamoSetGrid(handle_, static_cast<int32_t>(X.size()), X.data(), 0.0, mats.data());
    n_ = static_cast<int>(X.size()) + 1;
    tamoSetParameter(handle_, 1, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0);
    defineMaterial(handle_, 1,
                   {1800, 0.3, 850, 0.6, 12, 0.05, {0.5, 0.8, 0.95, 1.0}, {4, 8, 20, 180}});
    defineMaterial(handle_, 2, {30, 0.95, 1500, 0.04, 1.5, 0, {0.5, 0.8, 1.0}, {0.5, 1, 2}});
    defineMaterial(handle_, 3,
                   {1300, 0.4, 850, 0.7, 8, 0.02, {0.5, 0.8, 0.95, 1.0}, {3, 6, 15, 250}});
    tamoSetSurfaceCondition(handle_, 101325, 17, 0, 0.6, 0.9, 0.7, 0, 0, 8, 0, 0.6, 0.9, 0, 0, 0);
    T_.assign(n_, 15.0);
    phi_.assign(n_, 0.7);
    w_.assign(n_, 0.0);
  }
  ~BenchWall() { tamoDeleteContext(handle_); }
  BenchWall(const BenchWall&) = delete;
  BenchWall& operator=(const BenchWall&) = delete;

  // One hourly step of a daily cycle; returns the inner iterations, or -1 when the counter
  // was reset within the step (then the count is not the step's total).
  int step(int hour) {
    const double angle = 2.0 * 3.141592653589793 * (hour % 24) / 24.0;
    const double TA = 5.0 + 8.0 * std::sin(angle);
    const double phiA = 0.8 - 0.15 * std::sin(angle);
    const double radiation = std::max(0.0, 400.0 * std::sin(angle)) - 40.0;
    int32_t count = 0, status = 0;
    double dphi = 0.0, dT = 0.0;
    tamoStep2(handle_, 17, 0, TA, phiA, radiation, 0, 0, 8, 0, 20, 0.5, 0, 0, 0, 101325, 3600, 0,
              T_.data(), phi_.data(), w_.data(), &count, &dphi, &dT, &status);
    const tamo::Context& ctx = *tamo::findContext(handle_);
    const bool damped = ctx.humidityRelaxation != ctx.humidityRelaxationInitial ||
                        ctx.secondRelaxation != ctx.secondRelaxationInitial;
    return damped || count >= ctx.restartIteration ? -1 : count;
  }

 private:
  int32_t handle_;
  int n_ = 0;
  std::vector<double> T_, phi_, w_;
};

void BM_Step(benchmark::State& state) {
  const int interior = static_cast<int>(state.range(0));
  const int threads = static_cast<int>(state.range(1));
  const int savedThreads = omp_get_max_threads();
  omp_set_num_threads(threads);
  BenchWall wall(interior);
  int hour = 0;
  for (int warmUp = 0; warmUp < 24; ++warmUp) wall.step(hour++);

  double iterations = 0.0;
  double countedSteps = 0.0;
  double resetSteps = 0.0;
  for (auto _ : state) {
    const int count = wall.step(hour++);
    if (count >= 0) {
      iterations += count;
      countedSteps += 1.0;
    } else {
      resetSteps += 1.0;
    }
  }
  omp_set_num_threads(savedThreads);

  const double perStep = countedSteps > 0.0 ? iterations / countedSteps : 0.0;
  const double steps = static_cast<double>(state.iterations());
  state.counters["iter_per_step"] = perStep;
  state.counters["reset_steps"] = resetSteps;
  // Time per node and inner iteration: rate of node-iterations, inverted.
  state.counters["s_per_node_iter"] = benchmark::Counter(
      steps * perStep * interior, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_Step)
    ->ArgNames({"nodes", "threads"})
    ->ArgsProduct({{20, 100, 400, 2000}, {1, 2}})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
