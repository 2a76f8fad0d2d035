#include "model/grid.h"

#include <algorithm>
#include <new>

#include "interface/result_codes.h"
#include "model/context.h"

namespace tamo {
namespace {

void allocateArrays(Context& ctx, int32_t n) {
  const std::size_t size = static_cast<std::size_t>(n);
  ctx.interfacePosition.assign(size, 0.0);
  ctx.interfaceWeight.assign(size, 0.0);
  ctx.inverseDistance.assign(size, 0.0);
  ctx.nodeVolume.assign(size, 0.0);
  ctx.eastAreaFactor.assign(size, 1.0);
  ctx.westAreaFactor.assign(size, 1.0);
  ctx.nodeMaterial.assign(size, 0);
  ctx.storageRowHint.assign(size, 0);
  ctx.unfrozenRowHint.assign(size, 0);
  ctx.liquidRowHint.assign(size, 0);
  ctx.resistanceRowHint.assign(size, 0);
}

void allocateStateArrays(Context& ctx, int32_t n) {
  const std::size_t size = static_cast<std::size_t>(n);
  for (OneBased<double>* a :
       {&ctx.saturationPressure, &ctx.previousTemperature, &ctx.previousHumidity,
        &ctx.stepStartTemperature, &ctx.stepStartHumidity, &ctx.stepStartWaterContent,
        &ctx.airVoidFraction, &ctx.latentHeatSource, &ctx.relaxedLatentHeatSource,
        &ctx.heatConductance, &ctx.liquidTransferCoefficient, &ctx.vapourPermeability,
        &ctx.vapourDiffusionFlux, &ctx.systemLower, &ctx.systemUpper, &ctx.systemDiagonal,
        &ctx.systemRightHandSide}) {
    a->assign(size, 0.0);
  }
  ctx.nodeTransport.assign(size, NodeTransport{});
}

void computeGeometry(Context& ctx, int32_t N) {
  auto& X = ctx.interfacePosition;
  ctx.interfaceWeight[1] = 0.0;
  ctx.interfaceWeight[N + 1] = 0.0;
  ctx.nodeVolume[1] = 0.0;
  ctx.nodeVolume[N + 1] = 0.0;
  ctx.inverseDistance[1] = 2.0 / (X[2] - X[1]);
  for (int32_t k = 2; k <= N; ++k) {
    ctx.interfaceWeight[k] = (X[k] - X[k - 1]) / (X[k + 1] - X[k - 1]);
    ctx.inverseDistance[k] = 2.0 / (X[k + 1] - X[k - 1]);
    ctx.nodeVolume[k] = X[k] - X[k - 1];
  }
  // Nodes 2 and N are half elements next to the surfaces (with N = 2 both halvings apply).
  ctx.nodeVolume[2] *= 0.5;
  ctx.nodeVolume[N] *= 0.5;
}

void computeRadialFactors(Context& ctx, int32_t N, double R) {
  auto& X = ctx.interfacePosition;
  // delta(k): half the element width over the radius of the node centre.
  double delta = (X[2] - X[1]) / (4.0 * R);
  ctx.eastAreaFactor[2] = 1.0 + delta;
  ctx.westAreaFactor[2] = 1.0 - delta;
  double s = R;
  for (int32_t k = 3; k <= N; ++k) {
    s = s + (X[k] - X[k - 2]) / 2.0;
    delta = (X[k] - X[k - 1]) / (2.0 * s);
    ctx.eastAreaFactor[k] = 1.0 + delta;
    ctx.westAreaFactor[k] = 1.0 - delta;
  }
}

}  // namespace

int32_t buildGrid(Context& ctx, int32_t N, const double* X, double R, const int32_t* mat) {
  releaseContextArrays(ctx);
  ctx.gridDefined = 0;
  ctx.parametersSet = 0;
  ctx.materialCount = 0;
  // Checked before N+1 is formed, so that no count describes arrays that do not exist.
  if (N > kMaxInterfaceCount) {
    ctx.nodeCount = 0;
    ctx.interfaceCount = 0;
    return kNoMemory;
  }
  ctx.nodeCount = N + 1;
  ctx.interfaceCount = N;
  try {
    const int32_t n = N + 1;
    allocateArrays(ctx, n);
    for (int32_t k = 1; k <= N; ++k) ctx.interfacePosition[k] = X[k - 1];
    for (int32_t k = 2; k <= N; ++k) ctx.nodeMaterial[k] = mat[k - 1];
    int32_t M = 0;
    for (int32_t k = 1; k <= n; ++k) M = std::max(M, ctx.nodeMaterial[k]);
    ctx.materials.assign(static_cast<std::size_t>(M), MaterialRecord{});
    ctx.materialDefined.assign(static_cast<std::size_t>(M), 0);
    ctx.materialCount = M;
    ctx.interfacePosition[n] = ctx.interfacePosition[N];
    allocateStateArrays(ctx, n);
    computeGeometry(ctx, N);
    if (N >= 2 && R > 0.0) computeRadialFactors(ctx, N, R);
  } catch (const std::bad_alloc&) {
    // A failed build leaves no array and no count behind that could describe one.
    releaseContextArrays(ctx);
    ctx.materialCount = 0;
    ctx.nodeCount = 0;
    ctx.interfaceCount = 0;
    return kNoMemory;
  }
  ctx.gridDefined = -1;
  return kOk;
}

}  // namespace tamo
