// Both balance assemblies against a plain sequential transcription of the balance
// equations, written node by node in the order the equations are stated and compared bit
// for bit: a wrong operand order, index or comparison shows up as a differing last digit.
// The grid mixes materials (series means), radial area factors, a frozen node, a node
// thawing within the step, a node above free saturation, a node at exactly 0 degC, rain
// on both sides and, in some cases, a vapour-tight node or a negative latent heat.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "balance_test_model.h"
#include "material/properties.h"
#include "material/storage_function.h"
#include "model/context.h"
#include "model/source.h"
#include "solver/heat_balance.h"
#include "solver/moisture_balance.h"
#include "solver/step_state.h"

namespace tamo {
namespace {

using testing::BalanceModel;
using testing::linearMaterial;

// ---- Reference formulas, independent of the library's solver helpers ----

double refPsat(double T) {
  if (T > 100.0) return 1e-08 * T + 101291.0;
  if (0.0 <= T) return 610.78 * std::exp(17.08 * T / (234.18 + T));
  if (-100.0 <= T) return 610.71 * std::exp(22.44 * T / (272.44 + T));
  return 1e-08 * T + 0.001363;
}

double refSlope(double p, double T) {
  const double a = T >= 0.0 ? 17.08 : 22.44;
  const double b = T >= 0.0 ? 234.18 : 272.44;
  return p * a * b / ((b + T) * (b + T));
}

double refStillAir(double T, double p) {
  return 1.968e-07 * std::pow(T + 273.15, 0.81) / p;
}

double refMean(const Context& c, int32_t j, double left, double right) {
  const double f = c.interfaceWeight[j];
  if (c.nodeMaterial[j] == c.nodeMaterial[j + 1]) return f * left + (1.0 - f) * right;
  return left * right / ((1.0 - f) * left + f * right + 2.2250738585072014e-308);
}

const MaterialRecord& mat(const Context& c, int32_t k) {
  return c.materials[c.nodeMaterial[k]];
}

bool tight(const Context& c, int32_t k) {
  return c.nodeMaterial[k] >= 1 && (mat(c, k).vapourTight & 1) != 0;
}

double hv(const Context& c, double T) {
  return c.latentHeatEvaporation - c.latentHeatSlope * T;
}

void refRebalance(Context& c, StepState& s, bool sideA) {
  const int32_t n = c.nodeCount;
  const int32_t k = sideA ? 1 : n - 1;
  const bool active = sideA ? s.rainActiveA : s.rainActiveB;
  const double Ttest = sideA ? s.temperature[1] : s.temperature[n - 1];
  if (!active || s.justRestarted || !(Ttest > 0.0) || !(c.liquidTransferCoefficient[k] > 0.0)) {
    return;
  }
  double& coef = c.liquidTransferCoefficient[k];
  const double U = sideA ? (s.humidity[1] - s.humidity[2]) * coef * s.surfaceFactorA
                         : (s.humidity[n] - s.humidity[n - 1]) * coef * s.surfaceFactorB;
  const double cap = sideA ? s.uptakeCapA : s.uptakeCapB;
  const double rain = sideA ? s.rainAmountA : s.rainAmountB;
  double& mismatch = sideA ? s.rainMismatchA : s.rainMismatchB;
  if (!(cap > 0.0)) {
    coef = 0.0;
    mismatch = 0.0;
    return;
  }
  coef = U > 1e-25 ? std::min(std::pow(rain / U, 1.5) * coef, cap) : 0.0;
  mismatch = (coef <= 1e-25 || coef >= cap) ? 0.0 : std::fabs(U / rain - 1.0) * 100.0;
}

// Heat source terms of node i, in the order of the source list.
void refHeatSources(const Context& c, int32_t i, double Ti, double& b, double& d) {
  for (int32_t k = 1; k <= c.heatSourceCount; ++k) {
    const Source& src = c.sources[c.heatSourceList[k]];
    if (i <= src.rangeStart || i > src.rangeStart + src.rangeCount) continue;
    const double V = c.nodeVolume[i];
    if (src.type == 2) {
      const double Ta = (src.side == 1 ? c.sideA : c.sideB).ambientTemperature;
      const double H =
          V * src.rate * (c.airPressure / 286.6896551724138) / (Ta + 273.15) * 1003.4137931034483;
      d += Ta * H;
      b += H;
      continue;
    }
    const double q = V * src.rate;
    if (q >= 0.0 && Ti < 1200.0) {
      b += q / (1200.0 - Ti);
      d += 1200.0 * q / (1200.0 - Ti);
    } else if (q < 0.0 && Ti > -270.0) {
      b += -q / (Ti + 270.0);
      d += 270.0 * q / (Ti + 270.0);
    }
  }
}

// Moisture source terms of node i (plain sources and air exchange).
void refMoistureSources(const Context& c, int32_t i, double Ti, double phi, double psat,
                        double epsAir, double& b, double& d) {
  for (int32_t k = 1; k <= c.moistureSourceCount; ++k) {
    const Source& src = c.sources[c.moistureSourceList[k]];
    if (i <= src.rangeStart || i > src.rangeStart + src.rangeCount) continue;
    const double V = c.nodeVolume[i];
    if (src.type == 2) {
      const SurfaceCondition& side = src.side == 1 ? c.sideA : c.sideB;
      const double Ta = side.ambientTemperature;
      b += V * src.rate / 462.0 * psat / (Ti + 273.15);
      d += V * src.rate / 462.0 * side.ambientHumidity * refPsat(Ta) / (Ta + 273.15);
      continue;
    }
    const double r = std::min(src.rate, epsAir * 999.0 * c.inverseTimeStep);
    const double S = r * V;
    if (S >= 0.0 && phi < 1.0) {
      b += S / (1.0 - phi);
      d += S / (1.0 - phi);
    } else if (S < 0.0 && phi > 1e-16) {
      b += -S / (phi - 1e-16);
      d += -S * 1e-16 / (phi - 1e-16);
    }
  }
}

// One thread, one chunk: the west interface is fresh at node 2 only and carried after.
void refHeat(Context& c, StepState& s) {
  const int32_t n = c.nodeCount;
  const auto& T = s.temperature;
  const auto& phi = s.humidity;
  const bool first = s.firstIterationFlag;
  const auto& G = c.inverseDistance;
  const auto& vp = c.vapourPermeability;
  for (int32_t i = 2; i <= n - 1; ++i) {
    const int32_t j = i - 1;
    c.previousTemperature[i] = T[i];
    c.previousHumidity[i] = phi[i];
    double pj, pi, gw;
    if (first) {
      pj = refPsat(T[j]);
      pi = refPsat(T[i]);
      c.saturationPressure[j] = pj;
      c.saturationPressure[i] = pi;
      if (i == 2) c.relaxedLatentHeatSource[j] = 0.0;
      gw = 0.0;
    } else {
      pj = c.saturationPressure[j];
      pi = c.saturationPressure[i];
      gw = (tight(c, i) || (j >= 2 && tight(c, j))) ? 0.0
                                                    : (phi[j] * pj - phi[i] * pi) * vp[j] * G[j];
    }
    c.vapourDiffusionFlux[j] = gw;
    double dwi = 0.0;
    const double wi = storageValue(mat(c, i), phi[i], &dwi);
    s.waterContent[i] = wi;
    s.assemblyScratch[i] = dwi;
    const double Kvw = vp[j] * G[j];
    double Ew = hv(c, T[j]) * phi[j] * refSlope(pj, T[j]) * Kvw;
    double Q = -hv(c, T[i]) * phi[i] * refSlope(pi, T[i]);
    const double lami = thermalConductivity(mat(c, i), wi, T[i]);
    double Kw;
    if (i == 2) {
      refRebalance(c, s, true);
      Kw = G[1] * c.heatConductance[1];
    } else {
      double dwj = 0.0;
      const double wj = storageValue(mat(c, j), phi[j], &dwj);
      const double lamj = thermalConductivity(mat(c, j), wj, T[j]);
      c.heatConductance[j] = refMean(c, j, lamj, lami);
      Kw = G[j] * c.heatConductance[j];
    }
    double pe, ge;
    if (first) {
      pe = refPsat(T[i + 1]);
      c.saturationPressure[i + 1] = pe;
      c.relaxedLatentHeatSource[i] = 0.0;
      ge = 0.0;
    } else {
      pe = c.saturationPressure[i + 1];
      ge = (tight(c, i) || (i != n - 1 && tight(c, i + 1)))
               ? 0.0
               : (phi[i] * pi - phi[i + 1] * pe) * vp[i] * G[i];
    }
    c.vapourDiffusionFlux[i] = ge;
    const double Aw = c.westAreaFactor[i];
    const double Ae = c.eastAreaFactor[i];
    double L = Aw * gw * hv(c, T[j]) - Ae * ge * hv(c, T[i]);
    const double Kve = vp[i] * G[i];
    double Ee = hv(c, T[i + 1]) * phi[i + 1] * refSlope(pe, T[i + 1]) * Kve;
    if (Q > 0.0) {
      Ew = 0.0;
      Ee = 0.0;
      Q = 0.0;
      L = c.relaxedLatentHeatSource[i] + c.secondRelaxation * (L - c.relaxedLatentHeatSource[i]);
      c.relaxedLatentHeatSource[i] = L;
    }
    c.latentHeatSource[i] = L;

    const MaterialRecord& m = mat(c, i);
    const double dT = T[i] - c.stepStartTemperature[i];
    double C;
    if (m.nEnthalpy == 0) {
      C = m.rho * m.cap + 4180.0 * wi;
    } else if (dT == 0.0) {
      C = m.rho * enthalpySlope(m, T[i]) + 4180.0 * wi;
    } else {
      C = m.rho * (enthalpy(m, T[i]) - s.startEnthalpy[i]) / dT + 4180.0 * wi;
    }
    if (dT != 0.0 && (T[i] < 0.0 || (T[i] >= 0.0 && c.stepStartTemperature[i] < 0.0))) {
      const double cap = T[i] < 0.0 ? 1.0 + 0.01 * T[i] : 1.0;
      const double X = storageValue(m, std::min(phi[i], cap));
      C += std::fabs((X - s.startUnfrozenWater[i]) / dT) * c.latentHeatFusion;
    }

    if (i == n - 1) {
      refRebalance(c, s, false);
    } else {
      double dwe = 0.0;
      const double we = storageValue(mat(c, i + 1), phi[i + 1], &dwe);
      const double lame = thermalConductivity(mat(c, i + 1), we, T[i + 1]);
      c.heatConductance[i] = refMean(c, i, lami, lame);
    }
    const double Ke = G[i] * c.heatConductance[i];

    const double S = C * c.nodeVolume[i] * c.inverseTimeStep;
    double b = Kw * Aw + Ke * Ae + S - Q * (Kvw + Kve);
    double d =
        S * c.stepStartTemperature[i] + L - Q * (Kvw + Kve) * T[i] - Ew * T[j] - Ee * T[i + 1];
    refHeatSources(c, i, T[i], b, d);
    const SurfaceCondition* side = i == n - 1 ? &c.sideB : (i == 2 ? &c.sideA : nullptr);
    if (side != nullptr) {
      if ((side->explicitLongWave & 1) == 0) {
        d += side->absorbedRadiation;
      } else {
        const double TK = T[i] + 273.15;
        const double k = side->emissivity * 5.67e-08;
        d += side->absorbedRadiation - k * (TK * TK) * (TK * TK - 4.0 * TK * T[i]);
        b += 4.0 * k * (TK * TK * TK);
      }
    }
    c.systemLower[i] = Kw * Aw + Ew;
    c.systemUpper[i] = Ke * Ae + Ee;
    c.systemDiagonal[i] = b;
    c.systemRightHandSide[i] = d;
  }
}

// The node state without an equation (heat transport off).
void refRefresh(Context& c, StepState& s) {
  const int32_t n = c.nodeCount;
  const auto& T = s.temperature;
  const auto& phi = s.humidity;
  const bool first = s.firstIterationFlag;
  const auto& G = c.inverseDistance;
  const auto& vp = c.vapourPermeability;
  for (int32_t i = 2; i <= n - 1; ++i) {
    c.previousTemperature[i] = T[i];
    c.previousHumidity[i] = phi[i];
    if (first) {
      if (i == 2) c.saturationPressure[1] = refPsat(T[1]);
      c.saturationPressure[i] = refPsat(T[i]);
      if (i == n - 1) c.saturationPressure[n] = refPsat(T[n]);
      if (i == 2) c.relaxedLatentHeatSource[1] = 0.0;
      c.relaxedLatentHeatSource[i] = 0.0;
    }
    const auto& p = c.saturationPressure;
    const double gw = (first || tight(c, i) || (i - 1 >= 2 && tight(c, i - 1)))
                          ? 0.0
                          : (phi[i - 1] * p[i - 1] - phi[i] * p[i]) * vp[i - 1] * G[i - 1];
    const double ge = (first || tight(c, i) || (i != n - 1 && tight(c, i + 1)))
                          ? 0.0
                          : (phi[i] * p[i] - phi[i + 1] * p[i + 1]) * vp[i] * G[i];
    c.vapourDiffusionFlux[i - 1] = gw;
    c.vapourDiffusionFlux[i] = ge;
    double dwi = 0.0;
    s.waterContent[i] = storageValue(mat(c, i), phi[i], &dwi);
    s.assemblyScratch[i] = dwi;
    c.latentHeatSource[i] =
        c.westAreaFactor[i] * gw * hv(c, T[i - 1]) - c.eastAreaFactor[i] * ge * hv(c, T[i]);
    if (i == 2) refRebalance(c, s, true);
    if (i == n - 1) refRebalance(c, s, false);
  }
}

// Node quantities of the moisture balance.
struct RefNode {
  double delta = 0.0;
  double Dw = 0.0;
  bool above = false;
};

RefNode refMoistureNode(const Context& c, const StepState& s, int32_t k, bool suction) {
  const MaterialRecord& m = mat(c, k);
  const double Tk = s.temperature[k];
  const double wk = s.waterContent[k];
  RefNode r;
  r.delta = refStillAir(Tk, c.airPressure) / vapourResistanceFactor(m, s.humidity[k]);
  r.above = wk > m.wf;
  if (r.above && (suction ? m.fktabs.rows() : m.fktabr.rows()) >= 1) {
    r.delta = r.delta * (m.wmax - wk) / (m.wmax - m.wf);
  }
  if ((c.liquidTransport & 1) != 0) {
    if (Tk <= 0.0) {
      const double X = storageValue(m, std::min(s.humidity[k], 1.0 + 0.01 * Tk));
      r.Dw = liquidTransportCoefficient(m, X, suction);
    } else {
      r.Dw = liquidTransportCoefficient(m, wk, suction);
    }
    r.Dw = r.Dw * (0.555 + 0.0208 * Tk + 9e-05 * (Tk * Tk));
  }
  return r;
}

void refMoisture(Context& c, StepState& s) {
  const int32_t n = c.nodeCount;
  const auto& T = s.temperature;
  const auto& phi = s.humidity;
  const auto& w = s.waterContent;
  const auto& dw = s.assemblyScratch;
  const auto& G = c.inverseDistance;
  const bool suction = c.liquidTransferCoefficient[1] > 0.0;
  const bool heatOn = (c.heatTransport & 1) != 0;
  const bool liquidOn = (c.liquidTransport & 1) != 0;
  if (heatOn) {
    for (int32_t k = 1; k <= n; ++k) c.saturationPressure[k] = refPsat(T[k]);
  }
  const auto& p = c.saturationPressure;
  // Interface coefficients.
  c.vapourPermeability[1] = refStillAir(T[1], c.airPressure) / (G[1] * c.sideA.sdValue);
  c.vapourPermeability[n - 1] = refStillAir(T[n], c.airPressure) / (G[n - 1] * c.sideB.sdValue);
  for (int32_t j = 2; j <= n - 2; ++j) {
    const RefNode L = refMoistureNode(c, s, j, suction);
    const RefNode R = refMoistureNode(c, s, j + 1, suction);
    const double f = c.interfaceWeight[j];
    const bool same = c.nodeMaterial[j] == c.nodeMaterial[j + 1];
    double D = 0.0;
    if (liquidOn) {
      if (same) {
        const double slope =
            phi[j + 1] == phi[j] ? dw[j + 1] : (w[j + 1] - w[j]) / (phi[j + 1] - phi[j]);
        D = (f * L.Dw + (1.0 - f) * R.Dw) * slope;
      } else {
        D = f * L.Dw * dw[j] + (1.0 - f) * R.Dw * dw[j + 1];
      }
    }
    c.liquidTransferCoefficient[j] = D;
    const double g = c.vapourDiffusionFlux[j];
    if (L.above && g <= 0.0) {
      c.vapourPermeability[j] = L.delta;
    } else if (R.above && g >= 0.0) {
      c.vapourPermeability[j] = R.delta;
    } else {
      c.vapourPermeability[j] = refMean(c, j, L.delta, R.delta);
    }
  }
  // Conductances with the vapour-tight rules.
  std::vector<double> Kv(n + 1, 0.0), Kl(n + 1, 0.0);
  for (int32_t j = 1; j <= n - 1; ++j) {
    const bool closed = (j == 1)       ? false
                        : (j == n - 1) ? tight(c, n - 1)
                                       : (tight(c, j) || tight(c, j + 1));
    if (closed) continue;
    Kv[j] = c.vapourPermeability[j] * G[j];
    Kl[j] = c.liquidTransferCoefficient[j] * G[j];
  }
  for (int32_t i = 2; i <= n - 1; ++i) {
    const MaterialRecord& m = mat(c, i);
    const double epsAir = std::max(0.0, m.por - 0.001 * w[i]);
    const double phiStar = std::min(phi[i], 1.01);
    const double phiOld = c.stepStartHumidity[i];
    double C = phiStar == phiOld ? dw[i] : (w[i] - c.stepStartWaterContent[i]) / (phiStar - phiOld);
    C += epsAir * p[i] / (462.0 * (T[i] + 273.15));
    if ((i == 2 || i == n - 1) && w[i] > m.nearSaturation && c.latentHeatSource[i] > 0.0) C = 1e9;
    const double S = C * c.nodeVolume[i] * c.inverseTimeStep;
    const double Aw = c.westAreaFactor[i], Ae = c.eastAreaFactor[i];
    double a = (p[i - 1] * Kv[i - 1] + Kl[i - 1]) * Aw;
    double cu = (p[i + 1] * Kv[i] + Kl[i]) * Ae;
    double b = (p[i] * Kv[i] + Kl[i]) * Ae + (p[i] * Kv[i - 1] + Kl[i - 1]) * Aw + S;
    double d = phiOld * S;
    if (tight(c, i)) {
      a = 0.0;
      cu = 0.0;
      b = 1.0;
      d = phiOld;
    }
    refMoistureSources(c, i, T[i], phi[i], p[i], epsAir, b, d);
    c.systemLower[i] = a;
    c.systemUpper[i] = cu;
    c.systemDiagonal[i] = b;
    c.systemRightHandSide[i] = d;
  }
}

// ---- The test model ----

struct Case {
  bool first = false;
  bool fallback = false;     // latent heat of evaporation 1.0 J/kg: h_v < 0 above 0 degC
  bool suction = false;      // rain being taken up at side A
  bool vapourTight = false;  // node 5 of a vapour-tight material
  bool radial = false;
  bool heatOn = true;
  bool justRestarted = false;
};

MaterialRecord layeredMaterial() {
  MaterialRecord m;
  m.rho = 2000.0;
  m.cap = 850.0;
  m.por = 0.15;
  m.wf = 120.0;
  m.wmax = 150.0;
  m.nearSaturation = 0.99 * 150.0;
  m.sortab.cells = {0.0, 0.0, 60.0, 0.5, 30.0, 80.0, 0.9, 70.0, 200.0, 1.01, 150.0, 700.0};
  m.nStorage = 4;
  m.bltab.cells = {0.0, 0.8, 150.0, 2.0};
  m.nLambdaW = 2;
  m.bltemptab.cells = {-10.0, 0.75, 30.0, 0.85};
  m.nLambdaT = 2;
  m.bmytab.cells = {0.0, 30.0, 0.6, 20.0, 1.0, 8.0};
  m.nMu = 3;
  m.fktabs.cells = {10.0, 1e-10, 120.0, 5e-8};
  m.nSuction = 2;
  m.fktabr.cells = {10.0, 1e-11, 120.0, 5e-9};
  m.nRedistribution = 2;
  m.enttab.cells = {-20.0, -17000.0, 850.0, 0.0, 0.0, 900.0, 40.0, 36000.0, 900.0};
  m.nEnthalpy = 3;
  return m;
}

BalanceModel makeModel(const Case& k) {
  MaterialRecord tightMaterial = linearMaterial(1200.0, 1000.0, 0.2, 15.0, 3e-9, 7e-10);
  tightMaterial.vapourTight = -1;
  std::vector<MaterialRecord> materials = {linearMaterial(1500.0, 900.0, 0.3, 10.0, 1e-8, 1e-9),
                                           layeredMaterial()};
  if (k.vapourTight) materials.push_back(tightMaterial);
  BalanceModel m({0.0, 0.01, 0.03, 0.06, 0.08, 0.11, 0.12},
                 {0, 1, 1, 2, k.vapourTight ? 3 : 2, 1, 2}, materials);
  if (k.radial) {
    // Rebuild the area factors as a radial grid would give them (1 -+ delta).
    for (int32_t i = 2; i <= m.n() - 1; ++i) {
      const double delta = 0.01 * i;
      m.ctx.westAreaFactor[i] = 1.0 - delta;
      m.ctx.eastAreaFactor[i] = 1.0 + delta;
    }
  }
  Context& c = m.ctx;
  StepState& s = *m.s;
  const int32_t n = m.n();  // 8
  c.heatTransport = k.heatOn ? -1 : 0;
  if (k.fallback) c.latentHeatEvaporation = 1.0;
  c.secondRelaxation = 0.35;
  c.inverseTimeStep = 1.0 / 1800.0;
  m.T = {4.0, 3.0, -2.0, 0.0, 15.0, 22.0, 30.0, 25.0};
  m.phi = {1.0, 0.6, 0.6, 0.97, 1.005, 0.7, 0.85, 1.0};
  const double Told[] = {4.0, 3.0, 1.0, -1.0, 15.0, 20.0, 29.0, 25.0};
  const double phiOld[] = {0.8, 0.6, 0.55, 0.9, 1.0, 0.72, 0.8, 0.5};
  for (int32_t i = 1; i <= n; ++i) {
    c.stepStartTemperature[i] = Told[i - 1];
    c.stepStartHumidity[i] = phiOld[i - 1];
    c.saturationPressure[i] = 1.01 * refPsat(m.T[i - 1]) + 3.0 * i;
    c.relaxedLatentHeatSource[i] = 3.0 * i - 7.0;
  }
  for (int32_t i = 2; i <= n - 1; ++i) {
    const MaterialRecord& mi = mat(c, i);
    const double cap = Told[i - 1] >= 0.0 ? 1.0 : 1.0 + 0.01 * Told[i - 1];
    s.startUnfrozenWater[i] = storageValue(mi, std::min(phiOld[i - 1], cap));
    s.startEnthalpy[i] = mi.nEnthalpy != 0 ? enthalpy(mi, Told[i - 1]) : 0.0;
    c.stepStartWaterContent[i] = storageValue(mi, phiOld[i - 1]);
  }
  const double vp[] = {4e-10, 1.3e-11, 2.1e-11, 7e-12, 9e-12, 1.7e-11, 6e-10};
  for (int32_t j = 1; j <= n - 1; ++j) c.vapourPermeability[j] = vp[j - 1];
  c.heatConductance[1] = 25.0 / c.inverseDistance[1];
  c.heatConductance[n - 1] = 8.0 / c.inverseDistance[n - 1];
  c.liquidTransferCoefficient[1] = k.suction ? 2e-6 : 0.0;
  c.liquidTransferCoefficient[n - 1] = 1e-6;
  c.sideA.explicitLongWave = -1;
  c.sideA.emissivity = 0.9;
  c.sideA.absorbedRadiation = 40.0;
  c.sideB.explicitLongWave = 0;
  c.sideB.absorbedRadiation = 12.0;
  c.sideB.ambientTemperature = 25.0;
  c.sideB.ambientHumidity = 0.5;
  // Sources: a heat source on nodes 2..3, an air exchange with side B on nodes 6..7 (both
  // balances), a moisture source on nodes 3..4 and a moisture sink on nodes 5..6.
  c.sources.assign(4, Source{});
  c.heatSourceList.assign(4, 0);
  c.moistureSourceList.assign(4, 0);
  const auto addSource = [&c](int32_t type, int32_t side, int32_t first, int32_t count,
                              double rate) {
    const int32_t number = ++c.sourceCount;
    Source& src = c.sources[number];
    src.type = type;
    src.side = side;
    src.rangeStart = first - 1;
    src.rangeCount = count;
    src.active = -1;
    src.rate = rate;
    if (type != 1) c.heatSourceList[++c.heatSourceCount] = number;
    if (type != 0) c.moistureSourceList[++c.moistureSourceCount] = number;
  };
  addSource(0, 0, 2, 2, 50.0);
  addSource(2, 2, 6, 2, 1e-4);
  addSource(1, 0, 3, 2, 2e-7);
  addSource(1, 0, 5, 2, -1e-7);
  s.firstIterationFlag = k.first;
  s.justRestarted = k.justRestarted;
  s.rainActiveA = true;
  s.rainActiveB = true;
  s.rainAmountA = 0.5;
  s.rainAmountB = 0.002;
  s.uptakeCapA = 1e-5;
  s.uptakeCapB = 5e-6;
  s.surfaceFactorA = c.inverseDistance[1] * 1800.0;
  s.surfaceFactorB = c.inverseDistance[n - 1] * 1800.0;
  return m;
}

// Every array either assembly writes, in a fixed order.
std::vector<double> written(const BalanceModel& m) {
  const Context& c = m.ctx;
  std::vector<double> v;
  for (int32_t k = 1; k <= m.n(); ++k) {
    for (const OneBased<double>* a :
         {&c.saturationPressure, &c.previousTemperature, &c.previousHumidity, &c.latentHeatSource,
          &c.heatConductance, &c.liquidTransferCoefficient, &c.vapourPermeability,
          &c.vapourDiffusionFlux, &c.systemLower, &c.systemUpper, &c.systemDiagonal,
          &c.systemRightHandSide}) {
      v.push_back((*a)[k]);
    }
    v.push_back(m.w[k - 1]);
    v.push_back(m.s->assemblyScratch[k]);
  }
  // The relaxed latent heat of the interior nodes (ambient node 1 plays no part).
  for (int32_t k = 2; k <= m.n() - 1; ++k) v.push_back(c.relaxedLatentHeatSource[k]);
  v.push_back(m.s->rainMismatchA);
  v.push_back(m.s->rainMismatchB);
  return v;
}

void expectSameBits(const std::vector<double>& actual, const std::vector<double>& expected,
                    const char* stage, const Case& k) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t e = 0; e < actual.size(); ++e) {
    // 14 values per node in the order of written(), then the relaxed sources and mismatches.
    EXPECT_EQ(actual[e], expected[e])
        << stage << ": entry " << e << " (node " << e / 14 + 1 << ", field " << e % 14
        << " while below 14 n) first " << k.first << " fallback " << k.fallback << " suction "
        << k.suction << " tight " << k.vapourTight << " radial " << k.radial << " heat "
        << k.heatOn;
  }
}

TEST(BalanceReference, BothAssembliesMatchTheSequentialTranscriptionBitForBit) {
  std::vector<Case> cases;
  for (int bits = 0; bits < 64; ++bits) {
    Case k;
    k.first = (bits & 1) != 0;
    k.fallback = (bits & 2) != 0;
    k.suction = (bits & 4) != 0;
    k.vapourTight = (bits & 8) != 0;
    k.radial = (bits & 16) != 0;
    k.heatOn = (bits & 32) == 0;
    cases.push_back(k);
  }
  Case restarted;
  restarted.justRestarted = true;
  cases.push_back(restarted);
  for (const Case& k : cases) {
    BalanceModel lib = makeModel(k);
    BalanceModel ref = makeModel(k);
    if (k.heatOn) {
      assembleHeatBalanceChunk(lib.ctx, *lib.s, 2, lib.n() - 1);
      refHeat(ref.ctx, *ref.s);
    } else {
      refreshMoistureStateChunk(lib.ctx, *lib.s, 2, lib.n() - 1);
      refRefresh(ref.ctx, *ref.s);
    }
    expectSameBits(written(lib), written(ref), k.heatOn ? "heat" : "refresh", k);
    // Both moisture balances start from the reference state.
    BalanceModel libM = makeModel(k);
    if (k.heatOn) {
      refHeat(libM.ctx, *libM.s);
    } else {
      refRefresh(libM.ctx, *libM.s);
    }
    assembleMoistureBalanceChunk(libM.ctx, *libM.s, 2, libM.n() - 1);
    refMoisture(ref.ctx, *ref.s);
    expectSameBits(written(libM), written(ref), "moisture", k);
  }
}

}  // namespace
}  // namespace tamo
