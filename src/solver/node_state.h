// Material of a grid node and the small per-node rules shared by both balance assemblies.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/context.h"
#include "model/material_record.h"

namespace tamo {

// Record standing in for a node without material (ambient nodes, numbers below 1): every
// table is empty, so property calls on it read nothing outside the record.
inline const MaterialRecord kNoMaterial{};

// Material record of node k, or kNoMaterial when the node carries no material.
inline const MaterialRecord& materialOf(const Context& ctx, int32_t k) {
  const int32_t m = ctx.nodeMaterial[k];
  if (m < 1 || static_cast<std::size_t>(m) > ctx.materials.size()) return kNoMaterial;
  return ctx.materials[m];
}

// True when node k's material blocks vapour diffusion.
inline bool isVapourTight(const Context& ctx, int32_t k) {
  return isTrue(materialOf(ctx, k).vapourTight);
}

// True when both nodes of interface j carry the same material number.
inline bool sameMaterialAcross(const Context& ctx, int32_t j) {
  return ctx.nodeMaterial[j] == ctx.nodeMaterial[j + 1];
}

// [-] highest relative humidity at which pore water stays liquid at T [degC]: 1 at and
// above 0 degC, falling by 0.01 per kelvin of frost.
inline double frostCap(double T) {
  return T < 0.0 ? 1.0 + 0.01 * T : 1.0;
}

// min(phi, cap); a humidity that does not compare (NaN) gives the cap.
inline double cappedHumidity(double phi, double cap) {
  return phi < cap ? phi : cap;
}

}  // namespace tamo
