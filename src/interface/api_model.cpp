// Exported operations: grid, materials, material functions, surfaces, climate, sources.
#include <algorithm>

#include "interface/call_frame.h"
#include "model/context.h"
#include "model/grid.h"
#include "model/material_functions.h"
#include "model/sources.h"
#include "model/surface_condition.h"
#include "tamo1dkernel.h"

using tamo::Context;
using tamo::isTrue;

namespace {

bool materialInRange(const Context& ctx, int32_t material) {
  return material >= 1 && material <= ctx.materialCount;
}

// Whether a load of `kind` reads the x values of its points.
bool loadReadsX(int32_t kind, int32_t analytic) {
  return !(analytic == 1 && kind >= 2 && kind <= 5);
}

}  // namespace

extern "C" {

TAMO_API int32_t TAMO_CALL tamoSetGrid(int32_t handle, int32_t count, const double* positions,
                                       double radius, const int32_t* materials) {
  return tamo::withContext(handle, [&](Context& ctx) {
    if (isTrue(ctx.gridDefined)) return tamo::kAlreadySet;
    if (count < 1) return tamo::kBadArgument;
    if (!positions || (count >= 2 && !materials)) return tamo::kNullArray;
    return tamo::buildGrid(ctx, count, positions, radius, materials);
  });
}

TAMO_API int32_t TAMO_CALL tamoGetGrid(int32_t handle, int32_t count, double* out) {
  return tamo::withContext(handle, [&](Context& ctx) {
    if (!isTrue(ctx.gridDefined)) return tamo::kNoGrid;
    if (count <= 0) return tamo::kOk;
    if (!out) return tamo::kNullArray;
    const int32_t copied = std::min(count, ctx.nodeCount);
    std::copy_n(ctx.interfacePosition.data1(), copied, out);
    return tamo::kOk;
  });
}

TAMO_API int32_t TAMO_CALL tamoSetMaterial(int32_t handle, int32_t material, double rho,
                                           double por, double cap, int32_t vapourTight) {
  return tamo::withContext(handle, [&](Context& ctx) {
    if (!materialInRange(ctx, material)) return tamo::kBadMaterial;
    tamo::MaterialRecord& m = ctx.materials[material];
    m.rho = rho;
    m.por = por;
    m.wmax = 1000.0 * por;
    m.cap = cap;
    m.vapourTight = vapourTight;
    ctx.materialDefined[material] = -1;
    return tamo::kOk;
  });
}

TAMO_API int32_t TAMO_CALL tamoSetMaterialFunction(int32_t handle, int32_t material,
                                                   int32_t kind, int32_t analytic, int32_t n,
                                                   const double* xs, const double* ys) {
  return tamo::withContext(handle, [&](Context& ctx) {
    if (!materialInRange(ctx, material)) return tamo::kBadMaterial;
    if (n < 0) return tamo::kBadTableLength;
    if (kind < 1 || kind > 7) return tamo::kBadFunctionKind;
    if (((kind == 1 || kind == 7) && n == 1) || (kind == 4 && n <= 0)) {
      return tamo::kBadTableLength;
    }
    if (kind <= 5 ? (analytic != 0 && analytic != 1) : analytic != 0) return tamo::kBadFlag;
    if (n >= 1 && (!ys || (loadReadsX(kind, analytic) && !xs))) return tamo::kNullArray;
    return tamo::loadMaterialFunction(ctx.materials[material], kind, analytic, n, xs, ys);
  });
}

TAMO_API int32_t TAMO_CALL tamoSetSurfaceCondition(
    int32_t handle, double pressure, double heatTransferA, double sdA, double absorptivityA,
    double emissivityA, double rainFactorA, double radiativePartA, int32_t explicitLongWaveA,
    double heatTransferB, double sdB, double absorptivityB, double emissivityB,
    double rainFactorB, double radiativePartB, int32_t explicitLongWaveB) {
  return tamo::withContext(handle, [&](Context& ctx) {
    if (isTrue(ctx.surfaceConditionsSet)) return tamo::kAlreadySet;
    const double a[6] = {heatTransferA, sdA, absorptivityA, emissivityA, rainFactorA,
                         radiativePartA};
    const double b[6] = {heatTransferB, sdB, absorptivityB, emissivityB, rainFactorB,
                         radiativePartB};
    tamo::setSurfaceConditions(ctx, pressure, a, explicitLongWaveA, b, explicitLongWaveB);
    return tamo::kOk;
  });
}

TAMO_API int32_t TAMO_CALL tamoTransBound(int32_t handle, double heatTransferA, double sdA,
                                          double temperatureA, double humidityA,
                                          double radiationA, double counterRadiationA,
                                          double rainA, double heatTransferB, double sdB,
                                          double temperatureB, double humidityB,
                                          double radiationB, double counterRadiationB,
                                          double rainB, double pressure) {
  return tamo::withContext(handle, [&](Context& ctx) {
    const double a[7] = {heatTransferA, sdA,        temperatureA, humidityA,
                         radiationA,    counterRadiationA, rainA};
    const double b[7] = {heatTransferB, sdB,        temperatureB, humidityB,
                         radiationB,    counterRadiationB, rainB};
    tamo::applyClimate(ctx, a, b, pressure);
    return tamo::kOk;
  });
}

TAMO_API int32_t TAMO_CALL tamoSetSource(int32_t handle, int32_t number, int32_t type,
                                         int32_t subtype, int32_t side, double start,
                                         double thickness, const double* values) {
  return tamo::withContext(handle, [&](Context& ctx) {
    if (number <= 0) return tamo::kBadSourceNumber;
    if (static_cast<uint32_t>(type) > 2u) return tamo::kBadSourceKind;
    return tamo::defineSource(ctx, number, type, subtype, side, start, thickness, values);
  });
}

TAMO_API int32_t TAMO_CALL tamoUpdateSource(int32_t handle, int32_t number,
                                            const double* values) {
  return tamo::withContext(handle, [&](Context& ctx) {
    if (number < 1 || number > ctx.sourceCount) return tamo::kBadSourceNumber;
    tamo::updateSource(ctx, number, values);
    return tamo::kOk;
  });
}

}  // extern "C"
