// Exported operations: solver parameters.
#include "interface/call_frame.h"
#include "interface/parameters.h"
#include "model/context.h"
#include "tamo1dkernel.h"

namespace {

int32_t setParameters(int32_t handle, const tamo::ParameterFlags& flags) {
  return tamo::withContext(handle, [&](tamo::Context& ctx) {
    if (!tamo::isTrue(ctx.gridDefined)) return tamo::kNoGrid;
    if (tamo::isTrue(ctx.parametersSet)) return tamo::kAlreadySet;
    tamo::applyParameters(ctx, flags);
    return tamo::kOk;
  });
}

}  // namespace

extern "C" {

TAMO_API int32_t TAMO_CALL tamoSetParameter(int32_t handle, int32_t heatTransport,
                                            int32_t moistureTransport, int32_t liquidTransport,
                                            int32_t fineConvergence, int32_t stabilisedIteration,
                                            int32_t /*unused1*/, int32_t evaporation,
                                            int32_t fusion, int32_t /*unused2*/,
                                            int32_t /*unused3*/, int32_t /*unused4*/) {
  tamo::ParameterFlags f;
  f.heatTransport = heatTransport;
  f.moistureTransport = moistureTransport;
  f.liquidTransport = liquidTransport;
  f.fineConvergence = fineConvergence;
  f.stabilisedIteration = stabilisedIteration;
  f.evaporation = evaporation;
  f.fusion = fusion;
  return setParameters(handle, f);
}

TAMO_API int32_t TAMO_CALL tamoSetParameter1(int32_t handle, int32_t heatTransport,
                                             int32_t moistureTransport, int32_t liquidTransport,
                                             int32_t fineConvergence, int32_t stabilisedIteration,
                                             int32_t /*unused1*/, int32_t evaporation,
                                             int32_t temperatureDependentEvaporation,
                                             int32_t fusion, int32_t /*unused2*/,
                                             int32_t /*unused3*/, int32_t /*unused4*/) {
  tamo::ParameterFlags f;
  f.heatTransport = heatTransport;
  f.moistureTransport = moistureTransport;
  f.liquidTransport = liquidTransport;
  f.fineConvergence = fineConvergence;
  f.stabilisedIteration = stabilisedIteration;
  f.evaporation = evaporation;
  f.temperatureDependentEvaporation = temperatureDependentEvaporation;
  f.fusion = fusion;
  f.withSlopeFlag = true;
  return setParameters(handle, f);
}

}  // extern "C"
