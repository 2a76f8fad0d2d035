#include "solver/heat_balance.h"

#include <cmath>
#include <cstdint>

#include "material/properties.h"
#include "material/saturation.h"
#include "material/storage_function.h"
#include "model/context.h"
#include "model/sources.h"
#include "solver/interface_means.h"
#include "solver/node_loop.h"
#include "solver/node_state.h"
#include "solver/rain_uptake.h"
#include "solver/step_state.h"
#include "solver/tridiagonal.h"

namespace tamo {
namespace {

constexpr double kWaterHeatCapacity = 4180.0;  // [J/(kg K)] liquid water
constexpr double kStefanBoltzmann = 5.67e-08;  // [W/(m2 K4)]
constexpr double kKelvinOffset = 273.15;       // [K] at 0 degC

// Moisture and thermal state of one interior node at the current iterate.
struct ThermalNode {
  const MaterialRecord* material = &kNoMaterial;  // the node's material
  bool vapourTight = false;                       // the material blocks vapour diffusion
  double w = 0.0;                                 // [kg/m3] water content
  double dwdphi = 0.0;                            // [kg/m3] moisture capacity dw/dphi
  double lambda = 0.0;  // [W/(m K)] thermal conductivity (heat balance only)
};

// Quantities of node i's west side. A thread carries them over from the east side of the
// node it has just finished; at the first node of a chunk they are computed afresh with
// the same functions on the same inputs, so both ways give identical values.
struct WestSide {
  ThermalNode self;          // node i
  ThermalNode west;          // node i-1 (interior nodes only)
  double psatWest = 0.0;     // [Pa] saturation pressure of node i-1
  double psatSelf = 0.0;     // [Pa] saturation pressure of node i
  double latentWest = 0.0;   // [J/kg] latent heat of evaporation at node i-1
  double latentSelf = 0.0;   // [J/kg] latent heat of evaporation at node i
  double slopeWest = 0.0;    // [Pa/K] saturation pressure slope at node i-1
  double slopeSelf = 0.0;    // [Pa/K] saturation pressure slope at node i
  double flux = 0.0;         // [kg/(m2 s)] vapour diffusion flux of interface i-1
  double conductance = 0.0;  // [W/(m K)] heatConductance of interface i-1
};

// The node and row functions below are forced inline into the node loop: called out of
// line, their structs travelled through memory and were copied with 16-byte loads over
// 8-byte stores, which store forwarding cannot serve (a stall of every row). Inlined, the
// carried quantities stay in registers or in same-width spill slots.
[[gnu::always_inline]] inline ThermalNode thermalNode(const Context& ctx, const StepState& s,
                                                      int32_t k, bool withConductivity) {
  const MaterialRecord& m = materialOf(ctx, k);
  ThermalNode node;
  node.material = &m;
  node.vapourTight = isTrue(m.vapourTight);
  node.w = storageValue(m, s.humidity[k], &node.dwdphi, &ctx.storageRowHint[k]);
  if (withConductivity) node.lambda = thermalConductivity(m, node.w, s.temperature[k]);
  return node;
}

// [J/kg] latent heat of evaporation at T [degC].
double latentHeat(const Context& ctx, double T) {
  return ctx.latentHeatEvaporation - ctx.latentHeatSlope * T;
}

// [Pa] saturation pressure of node k: follows the temperature in the first iteration of a
// step, otherwise the stored value of the last moisture balance.
double nodeSaturationPressure(const Context& ctx, const StepState& s, int32_t k) {
  return s.firstIterationFlag ? saturationVapourPressure(s.temperature[k])
                              : ctx.saturationPressure[k];
}

// True when interior node k (2..n-1) blocks vapour diffusion; an ambient node never does.
bool tightInterior(const Context& ctx, int32_t k) {
  return k >= 2 && k <= ctx.nodeCount - 1 && isVapourTight(ctx, k);
}

// [kg/(m2 s)] vapour diffusion flux over interface j from node j to node j+1; none in the
// first iteration of a step and none when `closed` (a vapour-tight interior node on
// either side, see tightInterior).
double vapourFlux(const Context& ctx, const StepState& s, int32_t j, double psatLeft,
                  double psatRight, bool closed) {
  if (s.firstIterationFlag || closed) return 0.0;
  return (s.humidity[j] * psatLeft - s.humidity[j + 1] * psatRight) * ctx.vapourPermeability[j] *
         ctx.inverseDistance[j];
}

// [W/(m K)] heat conductance of interior interface j.
double conductanceMean(const Context& ctx, int32_t j, double lambdaLeft, double lambdaRight) {
  return interfaceMean(sameMaterialAcross(ctx, j), ctx.interfaceWeight[j], lambdaLeft, lambdaRight);
}

WestSide freshWestSide(const Context& ctx, const StepState& s, int32_t i, bool withConductivity) {
  const int32_t j = i - 1;
  WestSide c;
  c.psatWest = nodeSaturationPressure(ctx, s, j);
  c.psatSelf = nodeSaturationPressure(ctx, s, i);
  c.latentWest = latentHeat(ctx, s.temperature[j]);
  c.latentSelf = latentHeat(ctx, s.temperature[i]);
  c.slopeWest = saturationPressureSlope(c.psatWest, s.temperature[j]);
  c.slopeSelf = saturationPressureSlope(c.psatSelf, s.temperature[i]);
  c.flux =
      vapourFlux(ctx, s, j, c.psatWest, c.psatSelf, tightInterior(ctx, j) || tightInterior(ctx, i));
  c.self = thermalNode(ctx, s, i, withConductivity);
  if (!withConductivity) return c;
  if (j >= 2) {
    c.west = thermalNode(ctx, s, j, true);
    c.conductance = conductanceMean(ctx, j, c.west.lambda, c.self.lambda);
  } else {
    c.conductance = ctx.heatConductance[1];
  }
  return c;
}

// Writes that open the node in both routines: the iterate as it was at entry and, in the
// first iteration, saturation pressures that follow the temperatures and a relaxed latent
// heat source that restarts from 0.
//
// Each node zeroes only its own relaxed source (node 2 also that of ambient node 1). A
// fresh west interface zeroing the source of node i-1 would race with node i-1's own
// fallback write on another thread; with one thread the west interface is fresh only at
// node 2, so this is exactly the single-thread result.
[[gnu::always_inline]] inline void openNode(Context& ctx, StepState& s, int32_t i,
                                            const WestSide& c) {
  const int32_t n = ctx.nodeCount;
  ctx.previousTemperature[i] = s.temperature[i];
  ctx.previousHumidity[i] = s.humidity[i];
  if (s.firstIterationFlag) {
    ctx.saturationPressure[i] = c.psatSelf;
    ctx.relaxedLatentHeatSource[i] = 0.0;
    if (i == 2) {
      ctx.saturationPressure[1] = c.psatWest;
      ctx.relaxedLatentHeatSource[1] = 0.0;
    }
    if (i == n - 1) ctx.saturationPressure[n] = nodeSaturationPressure(ctx, s, n);
  }
  ctx.vapourDiffusionFlux[i - 1] = c.flux;
  s.waterContent[i] = c.self.w;
  s.assemblyScratch[i] = c.self.dwdphi;
}

// Emission of the surface node linearised about the iterate, or the absorbed radiation
// alone when the long-wave exchange is part of the surface heat transfer coefficient.
void addLongWaveExchange(const SurfaceCondition& side, double Ti, double& b, double& d) {
  if (!isTrue(side.explicitLongWave)) {
    d += side.absorbedRadiation;
    return;
  }
  const double TK = Ti + kKelvinOffset;
  const double k = side.emissivity * kStefanBoltzmann;
  d += side.absorbedRadiation - k * (TK * TK) * (TK * TK - 4.0 * TK * Ti);
  b += 4.0 * k * (TK * TK * TK);
}

// [J/(m3 K)] heat capacity of node i over the step, with the latent heat of fusion of the
// water that froze or thawed since the step start.
[[gnu::always_inline]] inline double heatCapacity(const Context& ctx, const StepState& s, int32_t i,
                                                  const MaterialRecord& m, double w) {
  const double Ti = s.temperature[i];
  const double Told = ctx.stepStartTemperature[i];
  const double dT = Ti - Told;
  double C;
  if (m.nEnthalpy < 1) {
    C = m.rho * m.cap + kWaterHeatCapacity * w;
  } else if (dT == 0.0) {
    C = m.rho * enthalpySlope(m, Ti) + kWaterHeatCapacity * w;
  } else {
    C = m.rho * (enthalpy(m, Ti) - s.startEnthalpy[i]) / dT + kWaterHeatCapacity * w;
  }
  if (dT != 0.0 && (Ti < 0.0 || (Ti >= 0.0 && Told < 0.0))) {
    const double unfrozen = storageValue(m, cappedHumidity(s.humidity[i], frostCap(Ti)), nullptr,
                                         &ctx.unfrozenRowHint[i]);
    C += std::fabs((unfrozen - s.startUnfrozenWater[i]) / dT) * ctx.latentHeatFusion;
  }
  return C;
}

// Rain uptake re-balance of one surface; skipped in the iteration right after a restart,
// which has just re-balanced both coefficients.
void rebalanceSurface(Context& ctx, StepState& s, Side side) {
  if (!s.justRestarted) rebalanceRainUptake(ctx, s, side);
}

// Row i of the temperature system; c holds the west side on entry and the west side of
// node i+1 on return.
[[gnu::always_inline]] inline void assembleHeatRow(Context& ctx, StepState& s, int32_t i,
                                                   WestSide& c, TridiagonalSweep* sweep) {
  const int32_t n = ctx.nodeCount;
  const double Tw = s.temperature[i - 1];
  const double Ti = s.temperature[i];
  const double Te = s.temperature[i + 1];
  const double phiW = s.humidity[i - 1];
  const double phiI = s.humidity[i];
  const double phiE = s.humidity[i + 1];
  const double Aw = ctx.westAreaFactor[i];
  const double Ae = ctx.eastAreaFactor[i];

  openNode(ctx, s, i, c);
  if (i - 1 >= 2) ctx.heatConductance[i - 1] = c.conductance;

  // West latent coupling and the implicit part of node i's own evaporation.
  const double Kvw = ctx.vapourPermeability[i - 1] * ctx.inverseDistance[i - 1];
  double Ew = c.latentWest * phiW * c.slopeWest * Kvw;
  double Q = -c.latentSelf * phiI * c.slopeSelf;
  if (i == 2) rebalanceSurface(ctx, s, Side::A);
  const double Kw = ctx.inverseDistance[i - 1] * c.conductance;

  // East neighbour (an interior node; the ambient node n has no material state).
  ThermalNode east;
  if (i < n - 1) east = thermalNode(ctx, s, i + 1, true);
  // The previous row's elimination runs here, alongside this row's property evaluations.
  if (sweep != nullptr && i > 2) sweep->eliminate(i - 1);

  // East interface: vapour flux, latent heat source and east coupling.
  const double psatEast = nodeSaturationPressure(ctx, s, i + 1);
  const double latentEast = latentHeat(ctx, Te);
  const double slopeEast = saturationPressureSlope(psatEast, Te);
  const double fluxEast =
      vapourFlux(ctx, s, i, c.psatSelf, psatEast, c.self.vapourTight || east.vapourTight);
  if (i == n - 1) ctx.vapourDiffusionFlux[n - 1] = fluxEast;
  double L = Aw * c.flux * c.latentWest - Ae * fluxEast * c.latentSelf;
  const double Kve = ctx.vapourPermeability[i] * ctx.inverseDistance[i];
  double Ee = latentEast * phiE * slopeEast * Kve;
  if (Q > 0.0) {
    // The linearisation would lower the diagonal: drop the coupling and relax the source.
    Ew = 0.0;
    Ee = 0.0;
    Q = 0.0;
    const double Lr = ctx.relaxedLatentHeatSource[i];
    L = Lr + ctx.secondRelaxation * (L - Lr);
    ctx.relaxedLatentHeatSource[i] = L;
  }
  ctx.latentHeatSource[i] = L;

  const double C = heatCapacity(ctx, s, i, *c.self.material, c.self.w);

  // East conductance.
  double conductanceEast;
  if (i == n - 1) {
    rebalanceSurface(ctx, s, Side::B);
    conductanceEast = ctx.heatConductance[n - 1];
  } else {
    conductanceEast = conductanceMean(ctx, i, c.self.lambda, east.lambda);
  }
  const double Ke = ctx.inverseDistance[i] * conductanceEast;

  const double S = C * ctx.nodeVolume[i] * ctx.inverseTimeStep;
  const double a = Kw * Aw + Ew;
  const double cUpper = Ke * Ae + Ee;
  double b = Kw * Aw + Ke * Ae + S - Q * (Kvw + Kve);
  double d = S * ctx.stepStartTemperature[i] + L - Q * (Kvw + Kve) * Ti - Ew * Tw - Ee * Te;

  if (ctx.heatSourceCount > 0) addHeatSourceTerms(ctx, i, Ti, b, d);
  if (i == n - 1) {
    addLongWaveExchange(ctx.sideB, Ti, b, d);
  } else if (i == 2) {
    addLongWaveExchange(ctx.sideA, Ti, b, d);
  }

  ctx.systemLower[i] = a;
  ctx.systemUpper[i] = cUpper;
  ctx.systemDiagonal[i] = b;
  ctx.systemRightHandSide[i] = d;

  c.west = c.self;
  c.self = east;
  c.psatWest = c.psatSelf;
  c.psatSelf = psatEast;
  c.latentWest = c.latentSelf;
  c.latentSelf = latentEast;
  c.slopeWest = c.slopeSelf;
  c.slopeSelf = slopeEast;
  c.flux = fluxEast;
  c.conductance = conductanceEast;
}

// The node state of node i without an equation (heat transport off).
void refreshNode(Context& ctx, StepState& s, int32_t i, WestSide& c) {
  const int32_t n = ctx.nodeCount;
  openNode(ctx, s, i, c);
  if (i == 2) rebalanceSurface(ctx, s, Side::A);

  ThermalNode east;
  if (i < n - 1) east = thermalNode(ctx, s, i + 1, false);

  const double psatEast = nodeSaturationPressure(ctx, s, i + 1);
  const double fluxEast =
      vapourFlux(ctx, s, i, c.psatSelf, psatEast, c.self.vapourTight || east.vapourTight);
  if (i == n - 1) ctx.vapourDiffusionFlux[n - 1] = fluxEast;
  ctx.latentHeatSource[i] = ctx.westAreaFactor[i] * c.flux * latentHeat(ctx, s.temperature[i - 1]) -
                            ctx.eastAreaFactor[i] * fluxEast * latentHeat(ctx, s.temperature[i]);

  if (i == n - 1) rebalanceSurface(ctx, s, Side::B);

  c.self = east;
  c.psatWest = c.psatSelf;
  c.psatSelf = psatEast;
  c.flux = fluxEast;
}

}  // namespace

// Thread independence: node i writes only its own node entries (previous iterate, w,
// dw/dphi, saturation pressure, latent heat sources, row i) and its west interface i-1
// (vapour flux, heat conductance); node 2 also the entries of ambient node 1 and node n-1
// those of ambient node n and surface interface n-1, and each of them its surface's rain
// uptake coefficient. Neighbour quantities are recomputed or carried, never read back, so
// no node reads what another node writes in the same loop.
void assembleHeatBalance(Context& ctx, StepState& s, TridiagonalSweep* sweep) {
  forEachInteriorNode(
      ctx.nodeCount, [&](int32_t i) { return freshWestSide(ctx, s, i, true); },
      [&](int32_t i, WestSide& carry) TAMO_ROW_INLINE {
        assembleHeatRow(ctx, s, i, carry, sweep);
        if (sweep != nullptr && i == ctx.nodeCount - 1) sweep->eliminate(i);
      });
}

void refreshMoistureState(Context& ctx, StepState& s) {
  forEachInteriorNode(
      ctx.nodeCount, [&](int32_t i) { return freshWestSide(ctx, s, i, false); },
      [&](int32_t i, WestSide& carry) { refreshNode(ctx, s, i, carry); });
}

}  // namespace tamo
