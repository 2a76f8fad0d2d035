// Heat balance assembly: rows checked against hand computations from the balance
// formulas, the capacity terms in isolation, first-iteration rules and thread independence.
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

double hv(double T) {
  return 2.5e6 - 2440.0 * T;
}

// Temperature derivative of the Magnus form of the saturation pressure at stored p.
double dpsat(double p, double T) {
  if (T >= 0.0) return p * 17.08 * 234.18 / ((234.18 + T) * (234.18 + T));
  return p * 22.44 * 272.44 / ((272.44 + T) * (272.44 + T));
}

void expectRel(double actual, double expected, const char* what) {
  EXPECT_NEAR(actual, expected, 1e-11 * std::fabs(expected) + 1e-300) << what;
}

TEST(HeatBalance, OneInteriorNodeRowMatchesHandComputation) {
  BalanceModel m({0.0, 0.1}, {0, 1}, {linearMaterial(1500.0, 900.0, 0.3, 10.0, 1e-8, 1e-9)});
  Context& ctx = m.ctx;
  ASSERT_EQ(m.n(), 3);
  m.T = {5.0, 12.0, 20.0};
  m.phi = {0.6, 0.5, 0.4};
  ctx.saturationPressure[1] = 800.0;
  ctx.saturationPressure[2] = 1400.0;
  ctx.saturationPressure[3] = 2300.0;
  ctx.vapourPermeability[1] = 2e-10;
  ctx.vapourPermeability[2] = 3e-10;
  const double G1 = ctx.inverseDistance[1], G2 = ctx.inverseDistance[2];
  ctx.heatConductance[1] = 25.0 / G1;
  ctx.heatConductance[2] = 8.0 / G2;
  ctx.stepStartTemperature[2] = 10.0;
  ctx.sideA.explicitLongWave = -1;
  ctx.sideA.emissivity = 0.9;
  ctx.sideA.absorbedRadiation = 50.0;
  ctx.sideB.explicitLongWave = -1;
  ctx.sideB.emissivity = 0.85;
  ctx.sideB.absorbedRadiation = 100.0;

  assembleHeatBalance(ctx, *m.s);

  const double g1 = (0.6 * 800.0 - 0.5 * 1400.0) * 2e-10 * G1;
  const double g2 = (0.5 * 1400.0 - 0.4 * 2300.0) * 3e-10 * G2;
  const double L = g1 * hv(5.0) - g2 * hv(12.0);
  const double Kvw = 2e-10 * G1, Kve = 3e-10 * G2;
  const double Ew = hv(5.0) * 0.6 * dpsat(800.0, 5.0) * Kvw;
  const double Q = -hv(12.0) * 0.5 * dpsat(1400.0, 12.0);
  const double Ee = hv(20.0) * 0.4 * dpsat(2300.0, 20.0) * Kve;
  const double C = 1500.0 * 900.0 + 4180.0 * 50.0;
  const double S = C * ctx.nodeVolume[2] / 3600.0;
  const double TK = 12.0 + 273.15, k = 0.85 * 5.67e-08;
  // Only side B's long-wave exchange acts on the single interior node.
  const double emission = k * TK * TK * TK * TK;
  const double emissionSlope = 4.0 * k * TK * TK * TK;

  expectRel(ctx.systemLower[2], 25.0 + Ew, "a");
  expectRel(ctx.systemUpper[2], 8.0 + Ee, "c");
  expectRel(ctx.systemDiagonal[2], 25.0 + 8.0 + S - Q * (Kvw + Kve) + emissionSlope, "b");
  expectRel(ctx.systemRightHandSide[2],
            S * 10.0 + L - Q * (Kvw + Kve) * 12.0 - Ew * 5.0 - Ee * 20.0 + 100.0 - emission +
                emissionSlope * 12.0,
            "d");
  expectRel(ctx.latentHeatSource[2], L, "L");
  expectRel(ctx.vapourDiffusionFlux[1], g1, "g1");
  expectRel(ctx.vapourDiffusionFlux[2], g2, "g2");
  expectRel(m.w[1], 50.0, "w");
  expectRel(m.s->assemblyScratch[2], 100.0, "dw/dphi");
  EXPECT_EQ(ctx.previousTemperature[2], 12.0);
  EXPECT_EQ(ctx.previousHumidity[2], 0.5);
  // Surface conductances are inputs here.
  EXPECT_EQ(ctx.heatConductance[1], 25.0 / G1);
  EXPECT_EQ(ctx.heatConductance[2], 8.0 / G2);
  EXPECT_EQ(m.w[0], 0.0);
  EXPECT_EQ(m.w[2], 0.0);
}

TEST(HeatBalance, OneInteriorNodeRebalancesBothSurfaces) {
  for (bool justRestarted : {false, true}) {
    BalanceModel m({0.0, 0.1}, {0, 1}, {linearMaterial(1500.0, 900.0, 0.3, 10.0, 1e-8, 1e-9)});
    Context& ctx = m.ctx;
    StepState& s = *m.s;
    m.T = {5.0, 12.0, 20.0};
    m.phi = {1.0, 0.5, 1.0};
    ctx.liquidTransferCoefficient[1] = 1e-4;
    ctx.liquidTransferCoefficient[2] = 2e-4;
    s.justRestarted = justRestarted;
    s.rainActiveA = s.rainActiveB = true;
    s.uptakeCapA = s.uptakeCapB = 1.0;
    s.rainAmountA = 0.3;
    s.rainAmountB = 0.1;
    s.surfaceFactorA = ctx.inverseDistance[1] * 600.0;
    s.surfaceFactorB = ctx.inverseDistance[2] * 600.0;

    assembleHeatBalance(ctx, s);

    if (justRestarted) {
      EXPECT_EQ(ctx.liquidTransferCoefficient[1], 1e-4);
      EXPECT_EQ(ctx.liquidTransferCoefficient[2], 2e-4);
      EXPECT_EQ(s.rainMismatchA, 0.0);
      continue;
    }
    const double UA = 0.5 * 1e-4 * s.surfaceFactorA;
    const double UB = 0.5 * 2e-4 * s.surfaceFactorB;
    expectRel(ctx.liquidTransferCoefficient[1], std::pow(0.3 / UA, 1.5) * 1e-4, "kA");
    expectRel(ctx.liquidTransferCoefficient[2], std::pow(0.1 / UB, 1.5) * 2e-4, "kB");
    expectRel(s.rainMismatchA, std::fabs(UA / 0.3 - 1.0) * 100.0, "mismatch A");
    expectRel(s.rainMismatchB, std::fabs(UB / 0.1 - 1.0) * 100.0, "mismatch B");
  }
}

// Five nodes, two materials: node 2 and 3 of material 1, node 4 of material 2.
BalanceModel fiveNodeModel() {
  MaterialRecord second = linearMaterial(800.0, 1200.0, 0.5, 40.0, 2e-8, 4e-9);
  second.bltab.cells = {0.0, 0.2, 100.0, 0.4};  // lambda = 0.2 + 0.002 w
  second.bltemptab.cells = {10.0, 0.2};
  BalanceModel m({0.0, 0.02, 0.05, 0.09}, {0, 1, 1, 2},
                 {linearMaterial(1500.0, 900.0, 0.3, 10.0, 1e-8, 1e-9), second});
  Context& ctx = m.ctx;
  m.T = {2.0, 8.0, 10.0, 14.0, 18.0};
  m.phi = {0.7, 0.6, 0.55, 0.45, 0.5};
  const double psat[] = {700.0, 1000.0, 1200.0, 1600.0, 2000.0};
  const double dp[] = {1e-10, 2e-10, 1.5e-10, 4e-10};
  for (int k = 1; k <= 5; ++k) {
    ctx.saturationPressure[k] = psat[k - 1];
    ctx.stepStartTemperature[k] = m.T[k - 1] - 1.0;
  }
  for (int j = 1; j <= 4; ++j) ctx.vapourPermeability[j] = dp[j - 1];
  ctx.heatConductance[1] = 20.0 / ctx.inverseDistance[1];
  ctx.heatConductance[4] = 7.0 / ctx.inverseDistance[4];
  ctx.sideA.absorbedRadiation = 50.0;
  ctx.sideB.absorbedRadiation = 30.0;
  return m;
}

TEST(HeatBalance, InteriorRowAndConductanceMeans) {
  BalanceModel m = fiveNodeModel();
  Context& ctx = m.ctx;
  assembleHeatBalance(ctx, *m.s);

  // Conductivities from the tables: 1 + 0.01 w in material 1, 0.2 + 0.002 w in material 2.
  const double l2 = 1.0 + 0.01 * 60.0, l3 = 1.0 + 0.01 * 55.0, l4 = 0.2 + 0.002 * 45.0;
  // Inside one material: weighted by the distance shares of the two nodes.
  const double f2 = (0.02 - 0.0) / (0.05 - 0.0);
  expectRel(ctx.heatConductance[2], f2 * l2 + (1.0 - f2) * l3, "same material mean");
  // Across the boundary: two half-distances in series, (X3-X2)/2 in node 3 and (X4-X3)/2
  // in node 4 over the node distance (X4-X2)/2.
  const double d3 = 0.03 / 2.0, d4 = 0.04 / 2.0;
  const double series = (d3 + d4) / (d3 / l3 + d4 / l4);
  expectRel(ctx.heatConductance[3], series, "series mean");

  const double G2 = ctx.inverseDistance[2], G3 = ctx.inverseDistance[3];
  const double g2 = (0.6 * 1000.0 - 0.55 * 1200.0) * 2e-10 * G2;
  const double g3 = (0.55 * 1200.0 - 0.45 * 1600.0) * 1.5e-10 * G3;
  const double L = g2 * hv(8.0) - g3 * hv(10.0);
  const double Kvw = 2e-10 * G2, Kve = 1.5e-10 * G3;
  const double Ew = hv(8.0) * 0.6 * dpsat(1000.0, 8.0) * Kvw;
  const double Q = -hv(10.0) * 0.55 * dpsat(1200.0, 10.0);
  const double Ee = hv(14.0) * 0.45 * dpsat(1600.0, 14.0) * Kve;
  const double S = (1500.0 * 900.0 + 4180.0 * 55.0) * 0.03 / 3600.0;
  const double Kw = G2 * ctx.heatConductance[2], Ke = G3 * ctx.heatConductance[3];
  expectRel(ctx.systemLower[3], Kw + Ew, "a3");
  expectRel(ctx.systemUpper[3], Ke + Ee, "c3");
  expectRel(ctx.systemDiagonal[3], Kw + Ke + S - Q * (Kvw + Kve), "b3");
  // No surface radiation on a node away from the surfaces.
  expectRel(ctx.systemRightHandSide[3], S * 9.0 + L - Q * (Kvw + Kve) * 10.0 - Ew * 8.0 - Ee * 14.0,
            "d3");
  expectRel(ctx.latentHeatSource[3], L, "L3");

  // The surface nodes use the surface conductances and get their own side's radiation.
  expectRel(ctx.systemLower[2],
            20.0 + hv(2.0) * 0.7 * dpsat(700.0, 2.0) * 1e-10 * ctx.inverseDistance[1], "a2");
  expectRel(ctx.systemUpper[4],
            7.0 + hv(18.0) * 0.5 * dpsat(2000.0, 18.0) * 4e-10 * ctx.inverseDistance[4], "c4");
  BalanceModel dark = fiveNodeModel();
  dark.ctx.sideA.absorbedRadiation = 0.0;
  dark.ctx.sideB.absorbedRadiation = 0.0;
  assembleHeatBalance(dark.ctx, *dark.s);
  EXPECT_NEAR(ctx.systemRightHandSide[2] - dark.ctx.systemRightHandSide[2], 50.0, 1e-9);
  EXPECT_NEAR(ctx.systemRightHandSide[4] - dark.ctx.systemRightHandSide[4], 30.0, 1e-9);
  EXPECT_EQ(ctx.systemRightHandSide[3], dark.ctx.systemRightHandSide[3]);
  EXPECT_EQ(ctx.systemDiagonal[2], dark.ctx.systemDiagonal[2]);
}

TEST(HeatBalance, NegativeCouplingFallsBackToRelaxedSource) {
  BalanceModel m = fiveNodeModel();
  Context& ctx = m.ctx;
  m.phi[2] = -0.01;  // node 3: the implicit evaporation term would lower the diagonal
  ctx.relaxedLatentHeatSource[3] = 7.0;
  assembleHeatBalance(ctx, *m.s);

  const double G2 = ctx.inverseDistance[2], G3 = ctx.inverseDistance[3];
  const double g2 = (0.6 * 1000.0 - (-0.01) * 1200.0) * 2e-10 * G2;
  const double g3 = ((-0.01) * 1200.0 - 0.45 * 1600.0) * 1.5e-10 * G3;
  const double raw = g2 * hv(8.0) - g3 * hv(10.0);
  const double relaxed = 7.0 + 0.5 * (raw - 7.0);
  expectRel(ctx.latentHeatSource[3], relaxed, "L");
  expectRel(ctx.relaxedLatentHeatSource[3], relaxed, "L_r");
  // w = 0 for phi <= 0: the capacity is that of the dry material.
  const double S = 1500.0 * 900.0 * 0.03 / 3600.0;
  const double Kw = G2 * ctx.heatConductance[2], Ke = G3 * ctx.heatConductance[3];
  expectRel(ctx.systemLower[3], Kw, "a without coupling");
  expectRel(ctx.systemUpper[3], Ke, "c without coupling");
  expectRel(ctx.systemDiagonal[3], Kw + Ke + S, "b without coupling");
  expectRel(ctx.systemRightHandSide[3], S * 9.0 + relaxed, "d without coupling");
  // Nodes without fallback leave their relaxed source alone.
  EXPECT_EQ(ctx.relaxedLatentHeatSource[2], 0.0);
}

TEST(HeatBalance, LatentHeatOffLeavesUnitLatentHeat) {
  BalanceModel m = fiveNodeModel();
  m.ctx.latentHeatEvaporation = 1.0;
  m.ctx.latentHeatSlope = 0.0;
  assembleHeatBalance(m.ctx, *m.s);
  const double g2 = (0.6 * 1000.0 - 0.55 * 1200.0) * 2e-10 * m.ctx.inverseDistance[2];
  const double g3 = (0.55 * 1200.0 - 0.45 * 1600.0) * 1.5e-10 * m.ctx.inverseDistance[3];
  expectRel(m.ctx.latentHeatSource[3], g2 - g3, "L with h_v = 1");
  EXPECT_NE(m.ctx.latentHeatSource[3], 0.0);
}

// Heat capacity of the single interior node, isolated by a model without conductances
// and vapour transport, so that b = C V / dt exactly.
struct CapacityCase {
  double T, Told, phi, unfrozenOld;
  bool enthalpyTable;
};

double capacityOf(const CapacityCase& cc, double fusionHeat) {
  MaterialRecord mat = linearMaterial(1000.0, 850.0, 0.3, 10.0, 1e-8, 1e-9);
  if (cc.enthalpyTable) {
    // 800 J/(kg K) below 10 degC, 1200 above.
    mat.enttab.cells = {-50.0, -40000.0, 800.0, 10.0, 8000.0, 1200.0, 50.0, 56000.0, 1200.0};
    mat.nEnthalpy = 3;
  }
  BalanceModel m({0.0, 0.1}, {0, 1}, {mat});
  m.T = {cc.T, cc.T, cc.T};
  m.phi = {cc.phi, cc.phi, cc.phi};
  m.ctx.latentHeatFusion = fusionHeat;
  m.ctx.stepStartTemperature[2] = cc.Told;
  m.s->startUnfrozenWater[2] = cc.unfrozenOld;
  m.s->startEnthalpy[2] =
      cc.Told < 10.0 ? -40000.0 + 800.0 * (cc.Told + 50.0) : 8000.0 + 1200.0 * (cc.Told - 10.0);
  assembleHeatBalance(m.ctx, *m.s);
  return m.ctx.systemDiagonal[2] / (m.ctx.nodeVolume[2] * m.ctx.inverseTimeStep);
}

TEST(HeatBalance, HeatCapacityWithEnthalpyAndFusion) {
  // Dry part from rho * cap, the table slope (no change) or the enthalpy secant.
  expectRel(capacityOf({12.0, 12.0, 0.5, 0.0, false}, 0.0), 1000.0 * 850.0 + 4180.0 * 50.0,
            "rho cap");
  expectRel(capacityOf({12.0, 12.0, 0.5, 0.0, true}, 0.0), 1000.0 * 1200.0 + 4180.0 * 50.0,
            "slope");
  expectRel(capacityOf({12.0, 6.0, 0.5, 0.0, true}, 0.0),
            1000.0 * ((10400.0 - 4800.0) / 6.0) + 4180.0 * 50.0, "secant");

  const auto fusion = [](const CapacityCase& cc) {
    return capacityOf(cc, 333000.0) - capacityOf(cc, 0.0);
  };
  // Frozen node: unfrozen water at min(phi, 1 + 0.01 T) = 0.95, i.e. 95 kg/m3.
  EXPECT_NEAR(fusion({-5.0, -3.0, 0.97, 90.0, false}), 5.0 / 2.0 * 333000.0, 1e-6);
  // Thawing from below 0 to above: cap 1.0, so the unfrozen water is w(0.97) = 97.
  EXPECT_NEAR(fusion({1.0, -2.0, 0.97, 80.0, false}), 17.0 / 3.0 * 333000.0, 1e-6);
  // Reaching exactly 0 from below counts as thawing.
  EXPECT_NEAR(fusion({0.0, -1.0, 0.97, 80.0, false}), 17.0 * 333000.0, 1e-5);
  // No temperature change, or no frost in the step: no fusion term.
  EXPECT_EQ(fusion({-5.0, -5.0, 0.97, 90.0, false}), 0.0);
  EXPECT_EQ(fusion({1.0, 3.0, 0.97, 80.0, false}), 0.0);
}

TEST(HeatBalance, FirstIterationSaturationPressuresAndZeroFluxes) {
  // Seven nodes spanning every branch of the saturation pressure.
  BalanceModel m({0.0, 0.01, 0.02, 0.03, 0.04, 0.05}, {0, 1, 1, 1, 1, 1},
                 {linearMaterial(1500.0, 900.0, 0.3, 10.0, 1e-8, 1e-9)});
  Context& ctx = m.ctx;
  ASSERT_EQ(m.n(), 7);
  m.T = {-150.0, -100.0, -50.0, 0.0, 100.0, 150.0, 50.0};
  m.s->firstIterationFlag = true;
  for (int k = 1; k <= 7; ++k) {
    ctx.saturationPressure[k] = -1.0;
    ctx.relaxedLatentHeatSource[k] = 9.0;
    ctx.vapourDiffusionFlux[k] = 9.0;
    ctx.vapourPermeability[k] = 1e-10;
  }
  assembleHeatBalance(ctx, *m.s);

  const double expected[] = {1e-08 * -150.0 + 0.001363,
                             610.71 * std::exp(22.44 * -100.0 / (272.44 - 100.0)),
                             610.71 * std::exp(22.44 * -50.0 / (272.44 - 50.0)),
                             610.78,
                             610.78 * std::exp(17.08 * 100.0 / (234.18 + 100.0)),
                             1e-08 * 150.0 + 101291.0,
                             610.78 * std::exp(17.08 * 50.0 / (234.18 + 50.0))};
  for (int k = 1; k <= 7; ++k) {
    expectRel(ctx.saturationPressure[k], expected[k - 1], "p_sat");
  }
  for (int j = 1; j <= 6; ++j) EXPECT_EQ(ctx.vapourDiffusionFlux[j], 0.0) << j;
  for (int k = 1; k <= 6; ++k) EXPECT_EQ(ctx.relaxedLatentHeatSource[k], 0.0) << k;
  EXPECT_EQ(ctx.relaxedLatentHeatSource[7], 9.0);
  for (int k = 2; k <= 6; ++k) EXPECT_EQ(ctx.latentHeatSource[k], 0.0) << k;
}

TEST(HeatBalance, VapourTightNodeCarriesNoVapourFlux) {
  BalanceModel m = fiveNodeModel();
  m.ctx.materials[2].vapourTight = -1;  // node 4
  assembleHeatBalance(m.ctx, *m.s);
  EXPECT_NE(m.ctx.vapourDiffusionFlux[1], 0.0);
  EXPECT_NE(m.ctx.vapourDiffusionFlux[2], 0.0);
  EXPECT_EQ(m.ctx.vapourDiffusionFlux[3], 0.0);
  EXPECT_EQ(m.ctx.vapourDiffusionFlux[4], 0.0);
}

TEST(HeatBalance, RefreshWritesNodeStateButNoEquation) {
  BalanceModel heat = fiveNodeModel();
  BalanceModel refresh = fiveNodeModel();
  for (int k = 1; k <= 5; ++k) refresh.ctx.systemDiagonal[k] = -3.0;
  assembleHeatBalance(heat.ctx, *heat.s);
  refreshMoistureState(refresh.ctx, *refresh.s);
  for (int k = 2; k <= 4; ++k) {
    EXPECT_EQ(refresh.ctx.systemDiagonal[k], -3.0);
    EXPECT_EQ(refresh.w[k - 1], heat.w[k - 1]);
    EXPECT_EQ(refresh.s->assemblyScratch[k], heat.s->assemblyScratch[k]);
    EXPECT_EQ(refresh.ctx.latentHeatSource[k], heat.ctx.latentHeatSource[k]);
    EXPECT_EQ(refresh.ctx.previousHumidity[k], heat.ctx.previousHumidity[k]);
  }
  for (int j = 1; j <= 4; ++j) {
    EXPECT_EQ(refresh.ctx.vapourDiffusionFlux[j], heat.ctx.vapourDiffusionFlux[j]);
  }
  // The refresh computes no conductances.
  EXPECT_EQ(refresh.ctx.heatConductance[2], 0.0);
}

TEST(HeatBalance, GridWithoutInteriorNodeIsLeftAlone) {
  BalanceModel m({0.0}, {0}, {});
  ASSERT_EQ(m.n(), 2);
#pragma omp parallel num_threads(2)
  {
    assembleHeatBalance(m.ctx, *m.s);
    refreshMoistureState(m.ctx, *m.s);
    assembleMoistureBalance(m.ctx, *m.s);
  }
  EXPECT_EQ(m.ctx.systemDiagonal[1], 0.0);
  EXPECT_EQ(m.ctx.previousTemperature[1], 0.0);
}

}  // namespace
}  // namespace tamo
