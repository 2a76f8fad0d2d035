#include "results/intermediate.h"

#include <cmath>
#include <vector>

#include "material/saturation.h"
#include "material/storage_function.h"
#include "model/context.h"

namespace tamo {
namespace {

// Slot of a material number in the layer accumulator: 1..M as they are, anything outside
// (a grid element without valid material) in slot 0.
std::size_t layerSlot(int32_t material, int32_t materialCount) {
  return material >= 1 && material <= materialCount ? static_cast<std::size_t>(material) : 0;
}

}  // namespace

double dewPoint(double T, double phi) {
  if (phi <= 0.0) return -100.0;
  // Magnus form over water (T >= 0) or ice, solved for the temperature at which the
  // saturation pressure equals phi * p_sat(T).
  const double a = T >= 0.0 ? 17.08 : 22.44;
  const double b = T >= 0.0 ? 234.18 : 272.44;
  const double y = T / (b + T) + std::log(phi) / a;
  return b * y / (1.0 - y);
}

void computeIntermediate(const Context& ctx, const double* temperature, const double* humidity,
                         double* waterContent, double* saturationPressure, double* dewPointOut,
                         int32_t materialCount, double* layerWaterContent, double* interiorMean,
                         double* totalWater) {
  const HostArray<const double> T(temperature);
  const HostArray<const double> phi(humidity);
  const HostArray<double> w(waterContent);
  const HostArray<double> psat(saturationPressure);
  const HostArray<double> dew(dewPointOut);
  const HostArray<double> layerOut(layerWaterContent);
  const OneBased<double>& X = ctx.interfacePosition;
  const OneBased<double>& V = ctx.nodeVolume;
  const int32_t n = ctx.nodeCount;
  const int32_t N = ctx.interfaceCount;
  const int32_t M = ctx.materialCount;

  // 1. water content of the interior nodes
  w[1] = 0.0;
  w[n] = 0.0;
  for (int32_t i = 2; i <= N; ++i) {
    const std::size_t slot = layerSlot(ctx.nodeMaterial[i], M);
    w[i] = slot > 0 ? storageValue(ctx.materials[slot], phi[i]) : 0.0;
  }
  // 2. saturation vapour pressure of every node
  for (int32_t i = 1; i <= n; ++i) psat[i] = saturationVapourPressure(T[i]);

  // 3./4. walk the layers. Every material of the grid has its own slot (the host may ask
  // for fewer materials than the grid uses). A material that returns after another one keeps
  // adding to the mean of its earlier layer, which the next boundary divides again.
  std::vector<double> layer(static_cast<std::size_t>(M) + 1, 0.0);
  int32_t c = ctx.nodeMaterial[2];
  double s = 0.0;  // start of the current layer: measured from 0.0, not from X(1)
  double W = 0.0;  // [kg/m2] running total
  for (int32_t i = 2; i <= N; ++i) {
    dew[i] = dewPoint(T[i], phi[i]);
    const int32_t m = ctx.nodeMaterial[i];
    if (m != c) {  // layer boundary at X(i-1)
      const std::size_t sc = layerSlot(c, M);
      W = W + layer[sc];
      layer[sc] = layer[sc] / (X[i - 1] - s);
      c = m;
      s = X[i - 1];
    }
    const std::size_t sm = layerSlot(m, M);
    layer[sm] = layer[sm] + w[i] * V[i];
  }
  // 5. close the last layer at the middle of the last element (node N is a half element)
  const double lastMiddle = (X[N - 1] + X[N]) / 2.0;
  const std::size_t sc = layerSlot(c, M);
  W = W + layer[sc];
  layer[sc] = layer[sc] / (lastMiddle - s);

  for (int32_t k = 1; k <= materialCount; ++k) layerOut[k] = layer[static_cast<std::size_t>(k)];
  // 6. total water
  *totalWater = W;
  // 7. mean of the interior without the two surface nodes
  *interiorMean = (W - w[2] * V[2] - w[N] * V[N]) / (lastMiddle - V[2] - V[N]);
}

void copyTransport(const Context& ctx, int32_t count, double* heatConductance,
                   double* vapourPermeability, double* liquidTransferCoefficient) {
  const HostArray<double> lambda(heatConductance);
  const HostArray<double> delta(vapourPermeability);
  const HostArray<double> liquid(liquidTransferCoefficient);
  for (int32_t k = 1; k <= count; ++k) {
    lambda[k] = ctx.heatConductance[k];
    delta[k] = ctx.vapourPermeability[k];
    liquid[k] = ctx.liquidTransferCoefficient[k];
  }
}

}  // namespace tamo
