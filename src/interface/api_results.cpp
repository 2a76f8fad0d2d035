// Exported operations: fluxes, surface coefficients, intermediate fields, transport
// coefficients, source quantities.
#include <algorithm>

#include "interface/call_frame.h"
#include "model/context.h"
#include "results/fluxes.h"
#include "results/intermediate.h"
#include "results/source_quantity.h"
#include "tamo1dkernel.h"

using tamo::Context;
using tamo::isTrue;

extern "C" {

TAMO_API int32_t TAMO_CALL tamoGetFlux(int32_t handle, int32_t /*ignored*/,
                                       const double* temperature, const double* humidity,
                                       double* heatFlux, double* enthalpyFlux, double* vapourFlux,
                                       double* liquidFlux) {
  return tamo::withContext(handle, [&](Context& ctx) {
    if (!isTrue(ctx.gridDefined)) return tamo::kNoGrid;
    if (!temperature || !humidity || !heatFlux || !enthalpyFlux || !vapourFlux || !liquidFlux) {
      return tamo::kNullArray;
    }
    tamo::computeFluxes(ctx, temperature, humidity, heatFlux, enthalpyFlux, vapourFlux, liquidFlux);
    return tamo::kOk;
  });
}

TAMO_API int32_t TAMO_CALL tamoGetSurfaceCoeff(int32_t handle, double* heatTransferA,
                                               double* vapourTransferA, double* heatTransferB,
                                               double* vapourTransferB) {
  return tamo::withContext(handle, [&](Context& ctx) {
    if (!heatTransferA || !vapourTransferA || !heatTransferB || !vapourTransferB) {
      return tamo::kNullArray;
    }
    if (!isTrue(ctx.surfaceConditionsSet)) return tamo::kBadArgument;
    tamo::surfaceCoefficients(ctx, heatTransferA, vapourTransferA, heatTransferB, vapourTransferB);
    return tamo::kOk;
  });
}

TAMO_API int32_t TAMO_CALL tamoGetIntermediate(
    int32_t handle, int32_t /*ignored*/, const double* temperature, const double* humidity,
    double* waterContent, double* saturationPressure, double* dewPoint, int32_t materialCount,
    double* layerWaterContent, double* interiorMeanWaterContent, double* totalWater) {
  return tamo::withContext(handle, [&](Context& ctx) {
    if (materialCount < 1 || materialCount > ctx.materialCount) {
      return tamo::kBadMaterialCount;
    }
    if (ctx.interfaceCount < 2) return tamo::kBadArgument;
    if (!temperature || !humidity || !waterContent || !saturationPressure || !dewPoint ||
        !layerWaterContent || !interiorMeanWaterContent || !totalWater) {
      return tamo::kNullArray;
    }
    tamo::computeIntermediate(ctx, temperature, humidity, waterContent, saturationPressure,
                              dewPoint, materialCount, layerWaterContent, interiorMeanWaterContent,
                              totalWater);
    return tamo::kOk;
  });
}

TAMO_API int32_t TAMO_CALL tamoGetTransport(int32_t handle, int32_t count, double* heatConductance,
                                            double* vapourPermeability,
                                            double* liquidTransferCoefficient) {
  return tamo::withContext(handle, [&](Context& ctx) {
    if (count < 1) return tamo::kOk;
    if (!heatConductance || !vapourPermeability || !liquidTransferCoefficient) {
      return tamo::kNullArray;
    }
    if (!isTrue(ctx.gridDefined)) return tamo::kOk;
    tamo::copyTransport(ctx, std::min(count, ctx.nodeCount), heatConductance, vapourPermeability,
                        liquidTransferCoefficient);
    return tamo::kOk;
  });
}

TAMO_API int32_t TAMO_CALL tamoGetSourceQuantity(int32_t handle, int32_t number, int32_t /*count*/,
                                                 const double* temperature, const double* humidity,
                                                 double* heat, double* moisture) {
  return tamo::withContext(handle, [&](Context& ctx) {
    if (number < 1 || number > ctx.sourceCount) return tamo::kBadSourceNumber;
    if (!temperature || !humidity || !heat || !moisture) return tamo::kNullArray;
    tamo::sourceQuantity(ctx, number, temperature, humidity, heat, moisture);
    return tamo::kOk;
  });
}

}  // extern "C"
