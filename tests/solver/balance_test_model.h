// A small model for the balance assembly tests: a grid built by buildGrid, materials with
// simple tables whose values are known in closed form, host arrays and a step state.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "model/context.h"
#include "model/grid.h"
#include "solver/step_state.h"

namespace tamo::testing {

// Storage function w = 100 phi up to (1.01, 101), dw/dphi = 100; wf = 100, wmax = 101.
// Conductivity 1 + 0.01 w (bltab) at any temperature (bltemptab one row holding 1.0).
// Constant mu and liquid transport coefficients (suction and redistribution).
inline MaterialRecord linearMaterial(double rho, double cap, double por, double mu, double suction,
                                     double redistribution) {
  MaterialRecord m;
  m.rho = rho;
  m.cap = cap;
  m.por = por;
  m.wf = 100.0;
  m.wmax = 101.0;
  m.nearSaturation = 0.99 * 101.0;
  m.sortab.cells = {0.0, 0.0, 100.0, 1.01, 101.0, 100.0};
  m.nStorage = 2;
  m.bltab.cells = {0.0, 1.0, 100.0, 2.0};
  m.nLambdaW = 2;
  m.bltemptab.cells = {10.0, 1.0};
  m.nLambdaT = 1;
  m.bmytab.cells = {0.0, mu, 1.0, mu};
  m.nMu = 2;
  m.fktabs.cells = {0.0, suction, 100.0, suction};
  m.nSuction = 2;
  m.fktabr.cells = {0.0, redistribution, 100.0, redistribution};
  m.nRedistribution = 2;
  return m;
}

// Context, host arrays and step state of one test. The host vectors never reallocate, so
// the views of the step state stay valid.
struct BalanceModel {
  Context ctx;
  std::vector<double> T, phi, w;
  std::unique_ptr<StepState> s;

  // X: N interface positions; mat: N entries, entry 1 ignored (materials of nodes 2..N).
  BalanceModel(const std::vector<double>& X, const std::vector<int32_t>& mat,
               const std::vector<MaterialRecord>& materials) {
    const int32_t N = static_cast<int32_t>(X.size());
    buildGrid(ctx, N, X.data(), 0.0, mat.data());
    const int32_t n = ctx.nodeCount;
    for (std::size_t k = 0; k < materials.size(); ++k) ctx.materials[k + 1] = materials[k];
    ctx.heatTransport = -1;
    ctx.moistureTransport = -1;
    ctx.liquidTransport = -1;
    ctx.latentHeatEvaporation = 2.5e6;
    ctx.latentHeatSlope = 2440.0;
    ctx.latentHeatFusion = 333000.0;
    ctx.secondRelaxation = 0.5;
    ctx.inverseTimeStep = 1.0 / 3600.0;
    ctx.sideA.sdValue = 0.05;
    ctx.sideB.sdValue = 0.02;
    T.assign(n, 10.0);
    phi.assign(n, 0.5);
    w.assign(n, 0.0);
    s = std::make_unique<StepState>(T.data(), phi.data(), w.data());
    s->startUnfrozenWater.assign(n, 0.0);
    s->startEnthalpy.assign(n, 0.0);
    s->assemblyScratch.assign(n, 0.0);
    s->firstIterationFlag = false;
  }
  int32_t n() const { return ctx.nodeCount; }
};

}  // namespace tamo::testing
