#include "solver/moisture_balance.h"

#include <algorithm>
#include <cstdint>

#include "material/power_algorithm.h"
#include "material/properties.h"
#include "material/saturation.h"
#include "material/storage_function.h"
#include "model/context.h"
#include "model/sources.h"
#include "solver/interface_means.h"
#include "solver/node_loop.h"
#include "solver/node_state.h"
#include "solver/step_state.h"
#include "solver/still_air_permeability.h"
#include "solver/tridiagonal.h"

namespace tamo {
namespace {

constexpr double kWaterVapourGasConstant = 462.0;  // [J/(kg K)]
constexpr double kKelvinOffset = 273.15;           // [K] at 0 degC
constexpr double kWaterVolumePerMass = 0.001;      // [m3/kg] volume fraction per kg/m3
constexpr double kHumidityCap = 1.01;              // [-] top of the storage function
constexpr double kCapacityOverride = 1e9;          // [kg/m3] holds a surface node's phi
constexpr double kPoreFillLimit = 999.0;           // [kg/m3] water per air-filled volume

// Moisture transport state of one node at the current iterate.
struct MoistureNode {
  const MaterialRecord* material = &kNoMaterial;  // the node's material (interior nodes)
  double T = 0.0;                                 // [degC]
  double phi = 0.0;                               // [-]
  double w = 0.0;                                 // [kg/m3] water content (interior nodes)
  double dwdphi = 0.0;                            // [kg/m3] moisture capacity (interior nodes)
  double psat = 0.0;                              // [Pa] saturation vapour pressure
  double permeability = 0.0;  // [kg/(m s Pa)] vapour permeability of the material
  double liquid = 0.0;        // [kg/(m s)] liquid transport coefficient Dw (interior nodes)
  bool aboveFreeSaturation = false;
  bool vapourTight = false;
};

// Transport across one interface.
struct MoistureInterface {
  double permeability = 0.0;       // [kg/(m s Pa)] vapourPermeability
  double liquid = 0.0;             // [kg/(m s)] liquidTransferCoefficient (interior interfaces)
  double vapourConductance = 0.0;  // K_v [kg/(m2 s Pa)]
  double liquidConductance = 0.0;  // K_l [kg/(m2 s)]
};

// Quantities of node i's west side, carried from the east side of node i-1 or computed
// afresh at the first node of a chunk with the same functions on the same inputs.
struct WestSide {
  double psatWest = 0.0;   // [Pa] saturation pressure of node i-1
  MoistureNode self;       // node i
  MoistureInterface face;  // interface i-1
};

// [Pa] saturation pressure of node k: follows the temperature solved in this iteration
// while heat transport is on, otherwise the stored value.
template <typename Power = CalledPower>
[[gnu::always_inline]] inline double nodeSaturationPressure(const Context& ctx, const StepState& s,
                                                            int32_t k) {
  return isTrue(ctx.heatTransport) ? saturationVapourPressure<Power>(s.temperature[k])
                                   : ctx.saturationPressure[k];
}

// The node, interface and row functions are forced inline into the node loop, for the
// reason given in heat_balance.cpp: their structs would otherwise travel through memory.

// Ambient node: only its temperature, humidity and saturation pressure take part.
[[gnu::always_inline]] inline MoistureNode ambientNode(const Context& ctx, const StepState& s,
                                                       int32_t k) {
  MoistureNode node;
  node.T = s.temperature[k];
  node.phi = s.humidity[k];
  node.psat = nodeSaturationPressure(ctx, s, k);
  return node;
}

// The part of an interior node that depends on its own state alone: saturation pressure,
// vapour permeability of the material below free saturation and liquid transport
// coefficient. It holds the pow and exp calls of the node; Power says how they are reached
// (power.h).
template <typename Power = CalledPower>
[[gnu::always_inline]] inline NodeTransport nodeTransport(const Context& ctx, const StepState& s,
                                                          int32_t k, bool suction) {
  const MaterialRecord& m = materialOf(ctx, k);
  const double T = s.temperature[k];
  const double phi = s.humidity[k];
  NodeTransport t;
  t.psat = nodeSaturationPressure<Power>(ctx, s, k);
  t.permeability = stillAirVapourPermeability<Power>(T, ctx.airPressure) /
                   vapourResistanceFactor<Power>(m, phi, &ctx.resistanceRowHint[k]);
  if (isTrue(ctx.liquidTransport)) {
    // Below 0 degC only the unfrozen water conducts.
    const double conducting = T <= 0.0 ? storageValue(m, cappedHumidity(phi, frostCap(T)), nullptr,
                                                      &ctx.unfrozenRowHint[k])
                                       : s.waterContent[k];
    const double Dw =
        liquidTransportCoefficient<Power>(m, conducting, suction, &ctx.liquidRowHint[k]);
    // Temperature dependence of the viscosity of water.
    t.liquid = Dw * (0.555 + 0.0208 * T + 9e-05 * (T * T));
  }
  return t;
}

// Interior node k; its transport part from `evaluated` when the rows run on one thread
// (filled by evaluateNodeTransport), otherwise evaluated here.
[[gnu::always_inline]] inline MoistureNode interiorNode(const Context& ctx, const StepState& s,
                                                        int32_t k, bool suction,
                                                        const NodeTransport* evaluated) {
  const MaterialRecord& m = materialOf(ctx, k);
  const NodeTransport t = evaluated != nullptr ? evaluated[k] : nodeTransport(ctx, s, k, suction);
  MoistureNode node;
  node.T = s.temperature[k];
  node.phi = s.humidity[k];
  node.psat = t.psat;
  node.material = &m;
  node.w = s.waterContent[k];
  node.dwdphi = s.assemblyScratch[k];
  node.vapourTight = isTrue(m.vapourTight);

  node.permeability = t.permeability;
  node.aboveFreeSaturation = node.w > m.wf;
  const int liquidRows = suction ? m.nSuction : m.nRedistribution;
  if (node.aboveFreeSaturation && liquidRows >= 1) {
    // Liquid fills the pores above free saturation: the vapour path closes at wmax.
    node.permeability = node.permeability * (m.wmax - node.w) / (m.wmax - m.wf);
  }
  node.liquid = t.liquid;
  return node;
}

// The transport part of every interior node, in one pass before the rows: the pow and exp
// calls of different nodes do not depend on each other, and back to back the processor
// overlaps them, which it cannot do across the rows' chain of eliminations.
// Compiled for processors with fused multiply-add and for the others, with the power
// algorithm inlined into the loop: the same operations as the called entry points, so the
// same bits.
TAMO_FMA_CLONES void evaluateNodeTransport(Context& ctx, const StepState& s, bool suction) {
  for (int32_t k = 2; k <= ctx.nodeCount - 1; ++k) {
    ctx.nodeTransport[k] = nodeTransport<InlinePower>(ctx, s, k, suction);
  }
}

[[gnu::always_inline]] inline MoistureInterface interiorInterface(const Context& ctx, int32_t j,
                                                                  const MoistureNode& left,
                                                                  const MoistureNode& right) {
  const double f = ctx.interfaceWeight[j];
  const bool same = sameMaterialAcross(ctx, j);
  MoistureInterface face;
  if (isTrue(ctx.liquidTransport)) {
    if (same) {
      const double slope =
          right.phi == left.phi ? right.dwdphi : (right.w - left.w) / (right.phi - left.phi);
      face.liquid = weightedMean(f, left.liquid, right.liquid) * slope;
    } else {
      face.liquid = f * left.liquid * left.dwdphi + (1.0 - f) * right.liquid * right.dwdphi;
    }
  }
  // Vapour flowing into a node above free saturation meets that node's permeability.
  const double flux = ctx.vapourDiffusionFlux[j];
  if (left.aboveFreeSaturation && flux <= 0.0) {
    face.permeability = left.permeability;
  } else if (right.aboveFreeSaturation && flux >= 0.0) {
    face.permeability = right.permeability;
  } else {
    face.permeability = interfaceMean(same, f, left.permeability, right.permeability);
  }
  if (!left.vapourTight && !right.vapourTight) {
    face.vapourConductance = face.permeability * ctx.inverseDistance[j];
    face.liquidConductance = face.liquid * ctx.inverseDistance[j];
  }
  return face;
}

// Surface interface k (1 or n-1): the permeability makes delta_p * G the vapour
// conductance delta_air / sd of the surface; the liquid coefficient is the rain uptake
// coefficient as it stands. Only a vapour-tight node n-1 closes a surface.
MoistureInterface surfaceInterface(const Context& ctx, int32_t k, double ambientT, double sdValue,
                                   bool closed) {
  const double G = ctx.inverseDistance[k];
  MoistureInterface face;
  face.permeability = stillAirVapourPermeability(ambientT, ctx.airPressure) / (G * sdValue);
  face.liquid = ctx.liquidTransferCoefficient[k];
  if (!closed) {
    face.vapourConductance = face.permeability * G;
    face.liquidConductance = face.liquid * G;
  }
  return face;
}

WestSide freshWestSide(const Context& ctx, const StepState& s, int32_t i, bool suction,
                       const NodeTransport* evaluated) {
  WestSide c;
  c.self = interiorNode(ctx, s, i, suction, evaluated);
  if (i == 2) {
    const MoistureNode west = ambientNode(ctx, s, 1);
    c.psatWest = west.psat;
    c.face = surfaceInterface(ctx, 1, west.T, ctx.sideA.sdValue, false);
  } else {
    const MoistureNode west = interiorNode(ctx, s, i - 1, suction, evaluated);
    c.psatWest = west.psat;
    c.face = interiorInterface(ctx, i - 1, west, c.self);
  }
  return c;
}

// [kg/m3] moisture storage capacity of node i over the step: secant of the storage
// function since the step start plus the vapour held in the air-filled pores.
double storageCapacity(const Context& ctx, int32_t i, const MoistureNode& node,
                       double airVoidFraction) {
  const double phiStar = cappedHumidity(node.phi, kHumidityCap);
  const double phiOld = ctx.stepStartHumidity[i];
  double C = phiStar == phiOld ? node.dwdphi
                               : (node.w - ctx.stepStartWaterContent[i]) / (phiStar - phiOld);
  C += airVoidFraction * node.psat / (kWaterVapourGasConstant * (node.T + kKelvinOffset));
  return C;
}

// Row i of the humidity system; c holds the west side on entry and that of node i+1 on
// return.
[[gnu::always_inline]] inline void assembleMoistureRow(Context& ctx, StepState& s, int32_t i,
                                                       bool suction, WestSide& c,
                                                       TridiagonalSweep* sweep,
                                                       const NodeTransport* evaluated) {
  const int32_t n = ctx.nodeCount;
  const MaterialRecord& m = *c.self.material;
  const MoistureNode& self = c.self;
  const bool heatOn = isTrue(ctx.heatTransport);

  if (heatOn) {
    ctx.saturationPressure[i] = self.psat;
    if (i == 2) ctx.saturationPressure[1] = c.psatWest;
  }
  ctx.vapourPermeability[i - 1] = c.face.permeability;
  if (i - 1 >= 2) ctx.liquidTransferCoefficient[i - 1] = c.face.liquid;

  const double airVoidFraction = std::max(0.0, m.por - kWaterVolumePerMass * self.w);
  double C = storageCapacity(ctx, i, self, airVoidFraction);
  if ((i == 2 || i == n - 1) && self.w > m.nearSaturation && ctx.latentHeatSource[i] > 0.0) {
    // A nearly saturated surface node that condenses keeps its relative humidity.
    C = kCapacityOverride;
  }

  MoistureNode east;
  MoistureInterface eastFace;
  if (i < n - 1) {
    east = interiorNode(ctx, s, i + 1, suction, evaluated);
    eastFace = interiorInterface(ctx, i, self, east);
  } else {
    east = ambientNode(ctx, s, n);
    eastFace = surfaceInterface(ctx, n - 1, east.T, ctx.sideB.sdValue, self.vapourTight);
    ctx.vapourPermeability[n - 1] = eastFace.permeability;
    if (heatOn) ctx.saturationPressure[n] = east.psat;
  }
  // The previous row's elimination runs here, alongside this row's property evaluations.
  if (sweep != nullptr && i > 2) sweep->eliminate(i - 1);

  const double Aw = ctx.westAreaFactor[i];
  const double Ae = ctx.eastAreaFactor[i];
  const double Kvw = c.face.vapourConductance;
  const double Klw = c.face.liquidConductance;
  const double Kve = eastFace.vapourConductance;
  const double Kle = eastFace.liquidConductance;
  const double S = C * ctx.nodeVolume[i] * ctx.inverseTimeStep;
  const double phiOld = ctx.stepStartHumidity[i];
  double a = (c.psatWest * Kvw + Klw) * Aw;
  double cUpper = (east.psat * Kve + Kle) * Ae;
  double b = (self.psat * Kve + Kle) * Ae + (self.psat * Kvw + Klw) * Aw + S;
  double d = phiOld * S;
  if (self.vapourTight) {
    // No moisture reaches the node: it keeps its humidity of the step start.
    a = 0.0;
    cUpper = 0.0;
    b = 1.0;
    d = phiOld;
  }

  if (ctx.moistureSourceCount > 0) {
    addMoistureSourceTerms(ctx, i, s.temperature, self.phi, self.psat,
                           airVoidFraction * kPoreFillLimit * ctx.inverseTimeStep, b, d);
  }

  ctx.systemLower[i] = a;
  ctx.systemUpper[i] = cUpper;
  ctx.systemDiagonal[i] = b;
  ctx.systemRightHandSide[i] = d;

  c.psatWest = c.self.psat;
  c.self = east;
  c.face = eastFace;
}

// Suction while rain is being taken up at side A, redistribution otherwise.
bool usesSuctionTable(const Context& ctx) {
  return ctx.nodeCount >= 3 && ctx.liquidTransferCoefficient[1] > 0.0;
}

}  // namespace

// Thread independence: node i writes only row i, its own saturation pressure and its west
// interface i-1 (vapour permeability, liquid transfer coefficient); node 2 also the
// saturation pressure of ambient node 1, node n-1 that of ambient node n and the vapour
// permeability of surface interface n-1. Every neighbour quantity is recomputed or carried.
void assembleMoistureBalance(Context& ctx, StepState& s, TridiagonalSweep* sweep) {
  const bool suction = usesSuctionTable(ctx);
  // A sweep means one thread: it evaluates the nodes' transport part first. A team
  // evaluates it within the rows, each thread for its own nodes.
  const NodeTransport* evaluated = nullptr;
  if (sweep != nullptr) {
    evaluateNodeTransport(ctx, s, suction);
    evaluated = &ctx.nodeTransport[0];
  }
  forEachInteriorNode(
      ctx.nodeCount, [&](int32_t i) { return freshWestSide(ctx, s, i, suction, evaluated); },
      [&](int32_t i, WestSide& carry) TAMO_ROW_INLINE {
        assembleMoistureRow(ctx, s, i, suction, carry, sweep, evaluated);
        if (sweep != nullptr && i == ctx.nodeCount - 1) sweep->eliminate(i);
      });
}

}  // namespace tamo
