#include "model/sources.h"

#include <algorithm>
#include <atomic>
#include <new>
#include <utility>

#include "interface/result_codes.h"
#include "material/saturation.h"
#include "model/context.h"

namespace tamo {
namespace {

// Per-hour source values and rain to per-second rates: a division by the seconds of an
// hour, written as such (a multiplication by the rounded reciprocal differs in the last bit
// for many values, and a node one bit below saturation changes the whole step).
constexpr double kSecondsPerHour = 3600.0;
// Heat sources act as a conductance towards this temperature [degC], sinks from the other.
constexpr double kHeatSourceLimit = 1200.0;
constexpr double kHeatSinkLimit = -270.0;
// Moisture sources drive towards saturation, sinks towards an almost dry node.
constexpr double kMoistureSourceLimit = 1.0;
constexpr double kMoistureSinkLimit = 1e-16;
// Air: gas constant 8314/29 [J/(kg K)] and specific heat 3.5 * 8314/29 [J/(kg K)].
constexpr double kGasConstantAir = 286.6896551724138;
constexpr double kSpecificHeatAir = 1003.4137931034483;
// Gas constant of water vapour [J/(kg K)].
constexpr double kGasConstantVapour = 462.0;

const SurfaceCondition& sideCondition(const Context& ctx, int32_t side) {
  return side == 1 ? ctx.sideA : ctx.sideB;
}

bool holdsNode(const Source& s, int32_t i) {
  return i > s.rangeStart && i <= s.rangeStart + s.rangeCount;
}

bool isListed(const OneBased<int32_t>& list, int32_t count, int32_t number) {
  for (int32_t k = 1; k <= count; ++k) {
    if (list[k] == number) return true;
  }
  return false;
}

// A copy of `from` with room for `size` entries; entries 1..keep are kept, the rest hold v.
template <typename T>
OneBased<T> enlarged(const OneBased<T>& from, int32_t keep, std::size_t size, T v) {
  OneBased<T> to;
  to.assign(size, v);
  for (int32_t k = 1; k <= keep; ++k) to[k] = from[k];
  return to;
}

// Room for one more list entry: doubles the capacity (at least 4) when the list is full.
std::size_t listCapacityFor(const OneBased<int32_t>& list, int32_t count) {
  const std::size_t needed = static_cast<std::size_t>(count) + 1;
  if (list.size() >= needed) return 0;  // no growth
  return std::max<std::size_t>(needed, std::max<std::size_t>(4, 2 * list.size()));
}

void setInfiltrationFactors(Source& s, const double* values) {
  s.leakageFactor = values[0] / 15.0 / 50.0 / 3600.0;
  s.stackFactor = 12.753000000000002 * values[1] * 0.5;
  s.overpressure = values[2];
}

// Maps the source's position range onto interior nodes 2..n-1. X(k) is the east boundary of
// node k: the first node ending at or beyond `start` opens the range (however thin the
// source), the following nodes ending before start + thickness extend it.
void mapRange(const Context& ctx, Source& s) {
  s.rangeStart = 0;
  s.rangeCount = 0;
  s.spreadFactor = 0.0;
  const int32_t n = ctx.nodeCount;
  if (!isTrue(s.active) || n < 3) return;
  const OneBased<double>& X = ctx.interfacePosition;
  const double end = s.start + s.thickness;
  for (int32_t k = 2; k <= n - 1; ++k) {
    if (s.rangeCount == 0) {
      if (X[k] >= s.start) {
        s.rangeStart = k - 1;
        s.rangeCount = 1;
      }
    } else if (X[k] < end) {
      ++s.rangeCount;
    } else {
      break;
    }
  }
  if (s.rangeCount == 0) return;
  // Thickness of the range: nodes a+1..a+m span X(a)..X(a+m); the nodes next to the
  // surfaces are half elements.
  const int32_t a = s.rangeStart;
  const int32_t m = s.rangeCount;
  double D = X[a + m] - X[a];
  if (a == 1) D = D - (X[2] - X[1]) / 2.0;
  if (a + m == n - 1) D = D - (X[n - 1] - X[n - 2]) / 2.0;
  // A single interior node (N = 2) leaves no thickness; such a source spreads nothing
  // instead of an infinite rate.
  s.spreadFactor = D != 0.0 ? 1.0 / D : 0.0;
}

void refreshFromClimate(const Context& ctx, Source& s) {
  if (!isTrue(s.climateCoupled)) return;
  const SurfaceCondition& side = sideCondition(ctx, s.side);
  if (s.type == 0) {
    s.rate = s.value * s.spreadFactor * side.radiation;
  } else if (s.type == 1 && s.subtype == 1) {
    const double TA = ctx.sideA.ambientTemperature;
    const double TB = ctx.sideB.ambientTemperature;
    s.pressureDifference = (TB - TA) * s.stackFactor / (TB + 273.15) + s.overpressure;
    s.interiorVapourDensity = saturationVapourDensity(TB) * ctx.sideB.ambientHumidity;
  } else if (s.type == 1 && s.subtype == 0) {
    // Rain in kg/(m2 h) turned into per second.
    s.rate = s.value * s.spreadFactor * side.rain / kSecondsPerHour;
  }
  // type 2: the air exchange follows the ambient air directly in the balances.
}

template <typename Array>
void moistureTerms(const Context& ctx, Source& s, int32_t i, const Array& T, double phi_i,
                   double psat_i, double fillCapRate, double& b, double& d) {
  const double V = ctx.nodeVolume[i];
  if (s.type == 2) {
    // Vapour exchanged with the ambient air of the side, at the node's vapour pressure.
    const SurfaceCondition& side = sideCondition(ctx, s.side);
    const double Ta = side.ambientTemperature;
    b += V * s.rate / kGasConstantVapour * psat_i / (T[i] + 273.15);
    d += V * s.rate / kGasConstantVapour * side.ambientHumidity * saturationVapourPressure(Ta) /
         (Ta + 273.15);
    return;
  }
  double rate = 0.0;
  if (s.subtype != 1) {
    rate = s.rate;
  } else {
    // Infiltration: the air of side B condenses where the coldest node of the range (or
    // the node after it) cannot hold its vapour.
    const int32_t first = s.rangeStart + 1;
    const int32_t last = s.rangeStart + s.rangeCount + 1;
    double Tmin = T[first];
    for (int32_t j = first + 1; j <= last; ++j) {
      if (T[j] < Tmin) Tmin = T[j];
    }
    const double rho = saturationVapourDensity(Tmin);
    if (!(rho < s.interiorVapourDensity)) {
      std::atomic_ref<double>(s.rate).store(0.0, std::memory_order_relaxed);
      return;
    }
    rate =
        (s.interiorVapourDensity - rho) * s.pressureDifference * s.leakageFactor * s.spreadFactor;
    std::atomic_ref<double>(s.rate).store(rate, std::memory_order_relaxed);
  }
  // No more water than the air-filled pores take in one step (a sink is not capped).
  const double r = std::min(rate, fillCapRate);
  const double S = r * V;
  if (S >= 0.0) {
    if (phi_i < kMoistureSourceLimit) {
      b += S / (kMoistureSourceLimit - phi_i);
      d += S / (kMoistureSourceLimit - phi_i);
    }
  } else if (phi_i > kMoistureSinkLimit) {
    b += -S / (phi_i - kMoistureSinkLimit);
    d += -S * kMoistureSinkLimit / (phi_i - kMoistureSinkLimit);
  }
}

}  // namespace

int32_t defineSource(Context& ctx, int32_t number, int32_t type, int32_t subtype, int32_t side,
                     double start, double thickness, const double* values) {
  if (isListed(ctx.heatSourceList, ctx.heatSourceCount, number) ||
      isListed(ctx.moistureSourceList, ctx.moistureSourceCount, number)) {
    return kAlreadySet;
  }
  if (!isTrue(ctx.gridDefined)) return kNoGrid;
  if (type == 2 && side != 1 && side != 2) return kBadArgument;
  if (!values) return kNullArray;
  if (number > kMaxSourceNumber) return kNoMemory;

  const bool heat = type == 0 || type == 2;
  const bool moisture = type == 1 || type == 2;

  // Every allocation first, so that a failure leaves the context as it was.
  OneBased<Source> table;
  OneBased<int32_t> heatList;
  OneBased<int32_t> moistureList;
  const bool growTable = static_cast<std::size_t>(number) > ctx.sources.size();
  const std::size_t heatCapacity =
      heat ? listCapacityFor(ctx.heatSourceList, ctx.heatSourceCount) : 0;
  const std::size_t moistureCapacity =
      moisture ? listCapacityFor(ctx.moistureSourceList, ctx.moistureSourceCount) : 0;
  try {
    if (growTable) {
      table = enlarged(ctx.sources, ctx.sourceCount, static_cast<std::size_t>(number), Source{});
    }
    if (heatCapacity > 0) {
      heatList = enlarged(ctx.heatSourceList, ctx.heatSourceCount, heatCapacity, 0);
    }
    if (moistureCapacity > 0) {
      moistureList = enlarged(ctx.moistureSourceList, ctx.moistureSourceCount, moistureCapacity, 0);
    }
  } catch (const std::bad_alloc&) {
    return kNoMemory;
  }
  if (growTable) std::swap(ctx.sources, table);
  if (heatCapacity > 0) std::swap(ctx.heatSourceList, heatList);
  if (moistureCapacity > 0) std::swap(ctx.moistureSourceList, moistureList);

  // Records up to the new number that were never defined (or were removed with the lists)
  // become inactive.
  if (number > ctx.sourceCount) {
    for (int32_t k = ctx.sourceCount + 1; k <= number; ++k) ctx.sources[k] = Source{};
    ctx.sourceCount = number;
  }

  Source& s = ctx.sources[number];
  s = Source{};
  s.type = type;
  s.subtype = subtype;
  s.side = side;
  s.start = start;
  s.thickness = thickness;
  s.active = logical(subtype == 0 || (subtype == 1 && type == 1));
  s.climateCoupled = logical(side == 1 || side == 2);
  s.value = values[0];
  s.rate = values[0] / kSecondsPerHour;
  if (subtype == 1) setInfiltrationFactors(s, values);
  mapRange(ctx, s);

  if (heat) ctx.heatSourceList[++ctx.heatSourceCount] = number;
  if (moisture) ctx.moistureSourceList[++ctx.moistureSourceCount] = number;
  return kOk;
}

void updateSource(Context& ctx, int32_t number, const double* values) {
  Source& s = ctx.sources[number];
  if (!isTrue(s.active)) return;
  if (values) {
    if (s.type == 2) {
      s.value = values[0];
      s.rate = values[0] / kSecondsPerHour;
    } else if (s.subtype == 1) {
      setInfiltrationFactors(s, values);
    } else {
      s.value = values[0];
      s.rate = values[0] * s.spreadFactor;
    }
  }
  refreshFromClimate(ctx, s);
}

void refreshSourcesFromClimate(Context& ctx) {
  for (int32_t k = 1; k <= ctx.sourceCount; ++k) {
    Source& s = ctx.sources[k];
    if (isTrue(s.active)) refreshFromClimate(ctx, s);
  }
}

void heatSourceTerms(const Context& ctx, const Source& s, int32_t i, double Ti, double& b,
                     double& d) {
  const double V = ctx.nodeVolume[i];
  if (s.type == 2) {
    // Air exchange: conductance H [W/(m2 K)] towards the ambient air of the side.
    const double Ta = sideCondition(ctx, s.side).ambientTemperature;
    const double p = ctx.airPressure;
    const double H = V * s.rate * (p / kGasConstantAir) / (Ta + 273.15) * kSpecificHeatAir;
    d += Ta * H;
    b += H;
    return;
  }
  const double q = V * s.rate;
  if (q >= 0.0) {
    if (Ti < kHeatSourceLimit) {
      b += q / (kHeatSourceLimit - Ti);
      d += kHeatSourceLimit * q / (kHeatSourceLimit - Ti);
    }
  } else if (Ti > kHeatSinkLimit) {
    b += -q / (Ti - kHeatSinkLimit);
    d += -kHeatSinkLimit * q / (Ti - kHeatSinkLimit);
  }
}

void addHeatSourceTerms(const Context& ctx, int32_t i, double Ti, double& b, double& d) {
  for (int32_t k = 1; k <= ctx.heatSourceCount; ++k) {
    const Source& s = ctx.sources[ctx.heatSourceList[k]];
    if (isTrue(s.active) && holdsNode(s, i)) heatSourceTerms(ctx, s, i, Ti, b, d);
  }
}

void moistureSourceTerms(const Context& ctx, Source& s, int32_t i, const HostArray<double>& T,
                         double phi_i, double psat_i, double fillCapRate, double& b, double& d) {
  moistureTerms(ctx, s, i, T, phi_i, psat_i, fillCapRate, b, d);
}

void moistureSourceTerms(const Context& ctx, Source& s, int32_t i, const HostArray<const double>& T,
                         double phi_i, double psat_i, double fillCapRate, double& b, double& d) {
  moistureTerms(ctx, s, i, T, phi_i, psat_i, fillCapRate, b, d);
}

void addMoistureSourceTerms(Context& ctx, int32_t i, const HostArray<double>& T, double phi_i,
                            double psat_i, double fillCapRate, double& b, double& d) {
  for (int32_t k = 1; k <= ctx.moistureSourceCount; ++k) {
    Source& s = ctx.sources[ctx.moistureSourceList[k]];
    if (isTrue(s.active) && holdsNode(s, i)) {
      moistureTerms(ctx, s, i, T, phi_i, psat_i, fillCapRate, b, d);
    }
  }
}

}  // namespace tamo
