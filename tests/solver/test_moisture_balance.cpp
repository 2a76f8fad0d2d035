// Moisture balance assembly: rows checked against hand computations, the permeability and
// capacity rules, vapour-tight materials, and thread independence of both assemblies.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "balance_test_model.h"
#include "model/context.h"
#include "solver/heat_balance.h"
#include "solver/moisture_balance.h"
#include "solver/step_state.h"

namespace tamo {
namespace {

using testing::BalanceModel;
using testing::linearMaterial;

double psat(double T) {
  return 610.78 * std::exp(17.08 * T / (234.18 + T));
}
double stillAir(double T) {
  return 1.968e-07 * std::pow(T + 273.15, 0.81) / 93399.0;
}
double viscosityFactor(double T) {
  return 0.555 + 0.0208 * T + 9e-05 * T * T;
}

void expectRel(double actual, double expected, const char* what) {
  EXPECT_NEAR(actual, expected, 1e-11 * std::fabs(expected) + 1e-300) << what;
}

// Five nodes: nodes 2 and 3 of material 1 (mu 10), node 4 of material 2 (mu 40).
// Water contents and capacities are set directly, as the heat balance would leave them.
BalanceModel fiveNodeModel() {
  BalanceModel m({0.0, 0.02, 0.05, 0.09}, {0, 1, 1, 2},
                 {linearMaterial(1500.0, 900.0, 0.3, 10.0, 1e-8, 1e-9),
                  linearMaterial(800.0, 1200.0, 0.5, 40.0, 2e-8, 4e-9)});
  Context& ctx = m.ctx;
  m.T = {2.0, 8.0, 10.0, 14.0, 18.0};
  m.phi = {0.7, 0.6, 0.55, 0.45, 0.5};
  m.w = {0.0, 61.0, 56.0, 44.0, 0.0};
  StepState& s = *m.s;
  s.assemblyScratch[2] = 90.0;
  s.assemblyScratch[3] = 95.0;
  s.assemblyScratch[4] = 80.0;
  ctx.stepStartHumidity[2] = 0.58;
  ctx.stepStartHumidity[3] = 0.5;
  ctx.stepStartHumidity[4] = 0.45;  // unchanged: the capacity falls back to dw/dphi
  ctx.stepStartWaterContent[2] = 58.0;
  ctx.stepStartWaterContent[3] = 50.0;
  ctx.stepStartWaterContent[4] = 40.0;
  ctx.vapourDiffusionFlux[2] = 1e-9;
  ctx.vapourDiffusionFlux[3] = -1e-9;
  ctx.liquidTransferCoefficient[1] = 0.0;
  ctx.liquidTransferCoefficient[4] = 3e-7;
  return m;
}

// [kg/m3] storage capacity recovered from a row without sources: d = phi_old * S.
double capacityFromRow(const BalanceModel& m, int i) {
  return m.ctx.systemRightHandSide[i] /
         (m.ctx.stepStartHumidity[i] * m.ctx.nodeVolume[i] * m.ctx.inverseTimeStep);
}

TEST(MoistureBalance, RowsMatchHandComputation) {
  BalanceModel m = fiveNodeModel();
  Context& ctx = m.ctx;
  assembleMoistureBalance(ctx, *m.s);

  const double f2 = ctx.interfaceWeight[2], f3 = ctx.interfaceWeight[3];
  const double G1 = ctx.inverseDistance[1], G2 = ctx.inverseDistance[2];
  const double G3 = ctx.inverseDistance[3], G4 = ctx.inverseDistance[4];
  const double delta2 = stillAir(8.0) / 10.0, delta3 = stillAir(10.0) / 10.0;
  const double delta4 = stillAir(14.0) / 40.0;
  const double dp1 = stillAir(2.0) / (G1 * 0.05);
  const double dp2 = f2 * delta2 + (1.0 - f2) * delta3;
  // Across the material boundary the two half-distances act in series.
  const double dp3 = 1.0 / (f3 / delta3 + (1.0 - f3) / delta4);
  const double dp4 = stillAir(18.0) / (G4 * 0.02);
  expectRel(ctx.vapourPermeability[1], dp1, "dp1");
  expectRel(ctx.vapourPermeability[2], dp2, "dp2");
  expectRel(ctx.vapourPermeability[3], dp3, "dp3");
  expectRel(ctx.vapourPermeability[4], dp4, "dp4");

  // Redistribution table (no rain uptake at side A).
  const double Dw2 = 1e-9 * viscosityFactor(8.0), Dw3 = 1e-9 * viscosityFactor(10.0);
  const double Dw4 = 4e-9 * viscosityFactor(14.0);
  const double D2 = (f2 * Dw2 + (1.0 - f2) * Dw3) * ((56.0 - 61.0) / (0.55 - 0.6));
  const double D3 = f3 * Dw3 * 95.0 + (1.0 - f3) * Dw4 * 80.0;
  expectRel(ctx.liquidTransferCoefficient[2], D2, "D2");
  expectRel(ctx.liquidTransferCoefficient[3], D3, "D3");
  EXPECT_EQ(ctx.liquidTransferCoefficient[1], 0.0);
  // Equal humidities within one material: the secant becomes dw/dphi of the east node.
  BalanceModel flat = fiveNodeModel();
  flat.phi[2] = flat.phi[1];
  assembleMoistureBalance(flat.ctx, *flat.s);
  expectRel(flat.ctx.liquidTransferCoefficient[2], (f2 * Dw2 + (1.0 - f2) * Dw3) * 95.0,
            "D2 at equal humidities");
  EXPECT_EQ(ctx.liquidTransferCoefficient[4], 3e-7);

  for (int k = 1; k <= 5; ++k) expectRel(ctx.saturationPressure[k], psat(m.T[k - 1]), "p_sat");

  const double p1 = psat(2.0), p2 = psat(8.0), p3 = psat(10.0), p4 = psat(14.0), p5 = psat(18.0);
  const double invdt = 1.0 / 3600.0;
  // Row 3: interior, air-filled pores 0.3 - 0.056.
  {
    const double Kvw = dp2 * G2, Klw = D2 * G2, Kve = dp3 * G3, Kle = D3 * G3;
    const double C = (56.0 - 50.0) / (0.55 - 0.5) + (0.3 - 0.056) * p3 / (462.0 * 283.15);
    const double S = C * ctx.nodeVolume[3] * invdt;
    expectRel(ctx.systemLower[3], p2 * Kvw + Klw, "a3");
    expectRel(ctx.systemUpper[3], p4 * Kve + Kle, "c3");
    expectRel(ctx.systemDiagonal[3], p3 * Kve + Kle + p3 * Kvw + Klw + S, "b3");
    expectRel(ctx.systemRightHandSide[3], 0.5 * S, "d3");
  }
  // Row 2: vapour exchange with the air of side A through delta_air / sd.
  {
    const double Kvw = stillAir(2.0) / 0.05, Kve = dp2 * G2, Kle = D2 * G2;
    const double C = (61.0 - 58.0) / (0.6 - 0.58) + (0.3 - 0.061) * p2 / (462.0 * 281.15);
    const double S = C * ctx.nodeVolume[2] * invdt;
    expectRel(ctx.systemLower[2], p1 * Kvw, "a2");
    expectRel(ctx.systemDiagonal[2], p2 * Kve + Kle + p2 * Kvw + S, "b2");
    expectRel(ctx.systemRightHandSide[2], 0.58 * S, "d2");
  }
  // Row 4: the surface liquid coefficient of side B is used as it stands.
  {
    const double Kvw = dp3 * G3, Klw = D3 * G3, Kve = stillAir(18.0) / 0.02, Kle = 3e-7 * G4;
    const double C = 80.0 + (0.5 - 0.044) * p4 / (462.0 * 287.15);
    const double S = C * ctx.nodeVolume[4] * invdt;
    expectRel(ctx.systemLower[4], p3 * Kvw + Klw, "a4");
    expectRel(ctx.systemUpper[4], p5 * Kve + Kle, "c4");
    expectRel(ctx.systemDiagonal[4], p4 * Kve + Kle + p4 * Kvw + Klw + S, "b4");
    expectRel(ctx.systemRightHandSide[4], 0.45 * S, "d4");
  }
}

TEST(MoistureBalance, LiquidTableAndLiquidSwitch) {
  // Rain taken up at side A: every node uses the suction table.
  BalanceModel suction = fiveNodeModel();
  suction.ctx.liquidTransferCoefficient[1] = 1e-5;
  assembleMoistureBalance(suction.ctx, *suction.s);
  const double f2 = suction.ctx.interfaceWeight[2];
  const double D2 = (f2 * 1e-8 * viscosityFactor(8.0) + (1.0 - f2) * 1e-8 * viscosityFactor(10.0)) *
                    ((56.0 - 61.0) / (0.55 - 0.6));
  expectRel(suction.ctx.liquidTransferCoefficient[2], D2, "suction D2");
  const double G1 = suction.ctx.inverseDistance[1];
  expectRel(suction.ctx.systemLower[2], psat(2.0) * stillAir(2.0) / 0.05 + 1e-5 * G1,
            "a2 with rain uptake");

  // Liquid transport off: only vapour diffusion between interior nodes.
  BalanceModel vapourOnly = fiveNodeModel();
  vapourOnly.ctx.liquidTransport = 0;
  vapourOnly.ctx.liquidTransferCoefficient[2] = 5.0;
  assembleMoistureBalance(vapourOnly.ctx, *vapourOnly.s);
  EXPECT_EQ(vapourOnly.ctx.liquidTransferCoefficient[2], 0.0);
  EXPECT_EQ(vapourOnly.ctx.liquidTransferCoefficient[3], 0.0);
  expectRel(vapourOnly.ctx.systemLower[3],
            psat(8.0) * vapourOnly.ctx.vapourPermeability[2] * vapourOnly.ctx.inverseDistance[2],
            "a3 vapour only");
}

TEST(MoistureBalance, PermeabilityAboveFreeSaturation) {
  const double f2 = 0.4;  // (X2 - X1) / (X3 - X1) of the five-node grid
  const double delta2 = stillAir(8.0) / 10.0, delta3 = stillAir(10.0) / 10.0;
  const auto run = [](double w3, double flux2, double flux3, bool liquidTable) {
    BalanceModel m = fiveNodeModel();
    m.w[2] = w3;
    m.ctx.vapourDiffusionFlux[2] = flux2;
    m.ctx.vapourDiffusionFlux[3] = flux3;
    if (!liquidTable) {
      m.ctx.materials[1].fktabr.cells.clear();
      m.ctx.materials[1].nRedistribution = 0;
    }
    assembleMoistureBalance(m.ctx, *m.s);
    return std::vector<double>{m.ctx.vapourPermeability[2], m.ctx.vapourPermeability[3]};
  };
  // Node 3 half way between wf = 100 and wmax = 101: its permeability is halved.
  const double reduced3 = delta3 * 0.5;
  // Vapour flowing into node 3 from both sides meets the reduced permeability.
  std::vector<double> into = run(100.5, 1e-9, -1e-9, true);
  expectRel(into[0], reduced3, "west inflow");
  expectRel(into[1], reduced3, "east inflow");
  // Vapour leaving node 3 takes the ordinary mean (with the reduced value in it).
  std::vector<double> out = run(100.5, -1e-9, 1e-9, true);
  expectRel(out[0], f2 * delta2 + (1.0 - f2) * reduced3, "west outflow");
  const double f3 = 0.03 / 0.07, delta4 = stillAir(14.0) / 40.0;
  expectRel(out[1], 1.0 / (f3 / reduced3 + (1.0 - f3) / delta4), "east outflow");
  // Full pores close the path for inflowing vapour.
  EXPECT_EQ(run(101.0, 1e-9, -1e-9, true)[0], 0.0);
  // Without a liquid table the permeability is not reduced.
  expectRel(run(100.5, 1e-9, -1e-9, false)[0], delta3, "no liquid table");
  // Without flux the reduced value of either node holds, the west node's first.
  expectRel(run(100.5, 0.0, 0.0, true)[1], reduced3, "no flux, west node above wf");
  expectRel(run(100.5, 0.0, 0.0, true)[0], reduced3, "no flux, east node above wf");
}

TEST(MoistureBalance, StorageCapacityRules) {
  const double p3 = psat(10.0);
  {
    // Above phi = 1.01 the secant ends at 1.01.
    BalanceModel m = fiveNodeModel();
    m.phi[2] = 1.02;
    m.w[2] = 101.0;
    m.ctx.stepStartHumidity[3] = 1.0;
    m.ctx.stepStartWaterContent[3] = 100.0;
    assembleMoistureBalance(m.ctx, *m.s);
    expectRel(capacityFromRow(m, 3), 1.0 / 0.01 + (0.3 - 0.101) * p3 / (462.0 * 283.15),
              "secant capped at 1.01");
  }
  {
    // No change since the step start: dw/dphi of the iterate.
    BalanceModel m = fiveNodeModel();
    m.ctx.stepStartHumidity[3] = 0.55;
    assembleMoistureBalance(m.ctx, *m.s);
    expectRel(capacityFromRow(m, 3), 95.0 + (0.3 - 0.056) * p3 / (462.0 * 283.15), "dw/dphi");
  }
  {
    // Nearly saturated surface nodes with a condensing latent source hold their humidity;
    // an interior node never does, and neither does an evaporating surface node.
    BalanceModel m = fiveNodeModel();
    m.w = {0.0, 100.5, 100.5, 100.5, 0.0};
    m.ctx.materials[2].nearSaturation = 99.0;
    m.ctx.latentHeatSource[2] = 1.0;
    m.ctx.latentHeatSource[3] = 1.0;
    m.ctx.latentHeatSource[4] = 1.0;
    assembleMoistureBalance(m.ctx, *m.s);
    expectRel(capacityFromRow(m, 2), 1e9, "node 2");
    expectRel(capacityFromRow(m, 4), 1e9, "node n-1");
    EXPECT_LT(capacityFromRow(m, 3), 1e4);
    m.ctx.latentHeatSource[2] = 0.0;
    assembleMoistureBalance(m.ctx, *m.s);
    EXPECT_LT(capacityFromRow(m, 2), 1e4);
  }
}

TEST(MoistureBalance, FrozenNodeConductsUnfrozenWater) {
  // Liquid coefficient of material 1 rising a hundredfold from w = 0 to 100.
  const auto run = [](double T3) {
    BalanceModel m = fiveNodeModel();
    m.ctx.materials[1].fktabr.cells = {0.0, 1e-10, 100.0, 1e-8};
    m.T[2] = T3;
    m.phi[2] = 0.97;
    assembleMoistureBalance(m.ctx, *m.s);
    return m;
  };
  const double Dw4 = 4e-9 * viscosityFactor(14.0);
  for (double T3 : {-5.0, 0.0, 3.0}) {
    BalanceModel m = run(T3);
    const double f3 = m.ctx.interfaceWeight[3];
    // Below 0 degC: w(min(phi, 1 + 0.01 T)); above: the water content of the iterate (56).
    const double conducting = T3 < 0.0 ? 95.0 : (T3 == 0.0 ? 97.0 : 56.0);
    const double Dw3 = 1e-10 * std::pow(100.0, conducting / 100.0) * viscosityFactor(T3);
    expectRel(m.ctx.liquidTransferCoefficient[3], f3 * Dw3 * 95.0 + (1.0 - f3) * Dw4 * 80.0, "D3");
  }
}

TEST(MoistureBalance, VapourTightNodeKeepsStartHumidity) {
  BalanceModel m = fiveNodeModel();
  m.ctx.materials[2].vapourTight = -1;  // node 4
  assembleMoistureBalance(m.ctx, *m.s);
  EXPECT_EQ(m.ctx.systemLower[4], 0.0);
  EXPECT_EQ(m.ctx.systemUpper[4], 0.0);
  EXPECT_EQ(m.ctx.systemDiagonal[4], 1.0);
  EXPECT_EQ(m.ctx.systemRightHandSide[4], 0.45);
  // Node 3 exchanges nothing with node 4.
  EXPECT_EQ(m.ctx.systemUpper[3], 0.0);
  const double G2 = m.ctx.inverseDistance[2];
  const double S3 = capacityFromRow(m, 3) * m.ctx.nodeVolume[3] / 3600.0;
  expectRel(
      m.ctx.systemDiagonal[3],
      psat(10.0) * m.ctx.vapourPermeability[2] * G2 + m.ctx.liquidTransferCoefficient[2] * G2 + S3,
      "b3 without east exchange");
  // The permeabilities themselves are still reported.
  EXPECT_GT(m.ctx.vapourPermeability[3], 0.0);
  EXPECT_GT(m.ctx.vapourPermeability[4], 0.0);
}

// Everything the two assemblies write, for bitwise comparison.
std::vector<double> snapshot(const BalanceModel& m) {
  const Context& c = m.ctx;
  const StepState& s = *m.s;
  std::vector<double> out(m.w);
  for (const OneBased<double>* a :
       {&c.systemLower, &c.systemUpper, &c.systemDiagonal, &c.systemRightHandSide,
        &c.saturationPressure, &c.previousTemperature, &c.previousHumidity, &c.latentHeatSource,
        &c.relaxedLatentHeatSource, &c.heatConductance, &c.liquidTransferCoefficient,
        &c.vapourPermeability, &c.vapourDiffusionFlux, &s.assemblyScratch}) {
    for (std::size_t k = 1; k <= a->size(); ++k) out.push_back((*a)[k]);
  }
  out.push_back(s.rainMismatchA);
  out.push_back(s.rainMismatchB);
  return out;
}

// Thirty nodes, three materials (one with an enthalpy table, one vapour-tight), a frost
// front, one node in the latent-heat fallback and rain on both sides.
BalanceModel thirtyNodeModel(bool firstIteration, bool heatOn) {
  MaterialRecord withEnthalpy = linearMaterial(800.0, 1200.0, 0.5, 40.0, 2e-8, 4e-9);
  withEnthalpy.enttab.cells = {-50.0, -40000.0, 800.0, 10.0, 8000.0, 1200.0};
  withEnthalpy.nEnthalpy = 2;
  withEnthalpy.bltab.cells = {0.0, 0.2, 100.0, 0.4};
  withEnthalpy.fktabr.cells = {0.0, 1e-10, 100.0, 1e-8};
  MaterialRecord tight = linearMaterial(2000.0, 1000.0, 0.1, 1000.0, 1e-12, 1e-13);
  tight.vapourTight = -1;
  std::vector<double> X;
  std::vector<int32_t> mat;
  for (int k = 1; k <= 29; ++k) {
    X.push_back(0.01 * k + 0.001 * (k % 3));
    mat.push_back(k < 10 ? 1 : (k < 14 ? 3 : (k < 20 ? 2 : 1)));
  }
  BalanceModel m(X, mat,
                 {linearMaterial(1500.0, 900.0, 0.3, 10.0, 1e-8, 1e-9), withEnthalpy, tight});
  Context& ctx = m.ctx;
  StepState& s = *m.s;
  ctx.heatTransport = heatOn ? -1 : 0;
  s.firstIterationFlag = firstIteration;
  const int n = m.n();
  for (int k = 1; k <= n; ++k) {
    m.T[k - 1] = -8.0 + 0.9 * k;
    m.phi[k - 1] = 0.35 + 0.025 * k;
    m.w[k - 1] = 100.0 * m.phi[k - 1];
    s.assemblyScratch[k] = 100.0;
    s.startUnfrozenWater[k] = 40.0 + k;
    s.startEnthalpy[k] = 100.0 * k;
    ctx.stepStartTemperature[k] = m.T[k - 1] + 0.3 * ((k % 4) - 1.5);
    ctx.stepStartHumidity[k] = m.phi[k - 1] - 0.01 * (k % 3);
    ctx.stepStartWaterContent[k] = 100.0 * ctx.stepStartHumidity[k];
    ctx.saturationPressure[k] = 600.0 + 40.0 * k;
    ctx.vapourPermeability[k] = 1e-10 * (1.0 + 0.1 * k);
    ctx.heatConductance[k] = 0.05 * k;
    ctx.vapourDiffusionFlux[k] = (k % 2 == 0 ? 1e-9 : -1e-9);
    ctx.latentHeatSource[k] = k % 5 - 2.0;
    ctx.relaxedLatentHeatSource[k] = 0.5 * k;
  }
  m.phi[9] = -0.001;  // node 10 falls back to the relaxed latent source
  m.phi[25] = 1.02;   // node 26 above the storage function's range
  ctx.liquidTransferCoefficient[1] = 1e-4;
  ctx.liquidTransferCoefficient[n - 1] = 2e-4;
  ctx.sideA.explicitLongWave = -1;
  ctx.sideA.emissivity = 0.9;
  ctx.sideA.absorbedRadiation = 40.0;
  ctx.sideB.absorbedRadiation = 10.0;
  m.T[0] = 3.0;
  m.phi[0] = 1.0;
  s.rainActiveA = s.rainActiveB = true;
  s.uptakeCapA = s.uptakeCapB = 1.0;
  s.rainAmountA = 0.2;
  s.rainAmountB = 0.05;
  s.surfaceFactorA = ctx.inverseDistance[1] * 600.0;
  s.surfaceFactorB = ctx.inverseDistance[n - 1] * 600.0;
  return m;
}

std::vector<double> runIteration(int threads, bool firstIteration, bool heatOn) {
  BalanceModel m = thirtyNodeModel(firstIteration, heatOn);
#pragma omp parallel num_threads(threads)
  {
    if (heatOn) {
      assembleHeatBalance(m.ctx, *m.s);
    } else {
      refreshMoistureState(m.ctx, *m.s);
    }
    // The assembly loops end without a barrier; the step driver places one here.
#pragma omp barrier
    assembleMoistureBalance(m.ctx, *m.s);
  }
  return snapshot(m);
}

// One iteration with the interior nodes cut into chunks [starts[c], starts[c+1] - 1],
// processed in the given order of chunks.
std::vector<double> runChunked(const std::vector<int>& starts, const std::vector<int>& order,
                               bool firstIteration, bool heatOn) {
  BalanceModel m = thirtyNodeModel(firstIteration, heatOn);
  const int n = m.n();
  const auto chunkEnd = [&](std::size_t c) {
    return c + 1 < starts.size() ? starts[c + 1] - 1 : n - 1;
  };
  for (int c : order) {
    if (heatOn) {
      assembleHeatBalanceChunk(m.ctx, *m.s, starts[c], chunkEnd(c));
    } else {
      refreshMoistureStateChunk(m.ctx, *m.s, starts[c], chunkEnd(c));
    }
  }
  for (int c : order) assembleMoistureBalanceChunk(m.ctx, *m.s, starts[c], chunkEnd(c));
  return snapshot(m);
}

// Whatever the chunks and whichever runs first, the carried west side equals the one
// computed afresh and no node reads what another node writes in the same loop.
TEST(BalanceAssembly, ChunkingAndChunkOrderDoNotChangeResults) {
  std::vector<int> singles, forward, backward;
  for (int i = 2; i <= 29; ++i) {
    singles.push_back(i);
    forward.push_back(i - 2);
    backward.insert(backward.begin(), i - 2);
  }
  const std::vector<int> uneven = {2, 3, 7, 8, 15, 22, 28, 29};
  const std::vector<int> unevenBackward = {7, 6, 5, 4, 3, 2, 1, 0};
  for (bool heatOn : {true, false}) {
    for (bool first : {false, true}) {
      const std::vector<double> reference = runChunked({2}, {0}, first, heatOn);
      EXPECT_EQ(runIteration(1, first, heatOn), reference);
      EXPECT_EQ(runChunked(singles, forward, first, heatOn), reference);
      EXPECT_EQ(runChunked(singles, backward, first, heatOn), reference);
      EXPECT_EQ(runChunked(uneven, unevenBackward, first, heatOn), reference);
    }
  }
}

TEST(BalanceAssembly, ResultsDoNotDependOnThreadCount) {
  for (bool heatOn : {true, false}) {
    for (bool first : {false, true}) {
      const std::vector<double> reference = runIteration(1, first, heatOn);
      for (int threads : {2, 3, 7}) {
        const std::vector<double> other = runIteration(threads, first, heatOn);
        ASSERT_EQ(other.size(), reference.size());
        EXPECT_EQ(std::memcmp(other.data(), reference.data(), other.size() * sizeof(double)), 0)
            << threads << " threads, heat " << heatOn << ", first " << first;
      }
    }
  }
}

}  // namespace
}  // namespace tamo
