// Exported operations: single material properties.
#include "interface/call_frame.h"
#include "material/properties.h"
#include "material/storage_function.h"
#include "model/context.h"
#include "tamo1dkernel.h"

using tamo::Context;

namespace {

// Frame of a property query: handle, material number, then the query's own tests.
template <typename Body>
int32_t withMaterial(int32_t handle, int32_t material, Body&& body) {
  return tamo::withContext(handle, [&](Context& ctx) {
    if (material < 1 || material > ctx.materialCount) return tamo::kBadMaterial;
    return body(static_cast<const tamo::MaterialRecord&>(ctx.materials[material]));
  });
}

}  // namespace

extern "C" {

TAMO_API int32_t TAMO_CALL tamoSoriso(int32_t handle, int32_t material, double phi, double* w,
                                      double* dwdphi) {
  return withMaterial(handle, material, [&](const tamo::MaterialRecord& m) {
    if (!w) return tamo::kNullArray;
    *w = tamo::storageValue(m, phi, dwdphi);
    return tamo::kOk;
  });
}

TAMO_API int32_t TAMO_CALL tamoSorinv(int32_t handle, int32_t material, double w, double* phi) {
  return withMaterial(handle, material, [&](const tamo::MaterialRecord& m) {
    if (!phi) return tamo::kNullArray;
    return tamo::storageInverse(m, w, phi);
  });
}

TAMO_API int32_t TAMO_CALL tamoCaldw(int32_t handle, int32_t material, double w, double* dw,
                                     int32_t suction) {
  return withMaterial(handle, material, [&](const tamo::MaterialRecord& m) {
    if (!dw) return tamo::kNullArray;
    *dw = tamo::liquidTransportCoefficient(m, w, tamo::isTrue(suction));
    return tamo::kOk;
  });
}

TAMO_API int32_t TAMO_CALL tamoCalmu(int32_t handle, int32_t material, double phi, double* mu) {
  return withMaterial(handle, material, [&](const tamo::MaterialRecord& m) {
    if (!mu) return tamo::kNullArray;
    *mu = tamo::vapourResistanceFactor(m, phi);
    return tamo::kOk;
  });
}

TAMO_API int32_t TAMO_CALL tamoCallam(int32_t handle, int32_t material, double w, double t,
                                      double* lambda) {
  return withMaterial(handle, material, [&](const tamo::MaterialRecord& m) {
    if (!lambda) return tamo::kNullArray;
    *lambda = tamo::thermalConductivity(m, w, t);
    return tamo::kOk;
  });
}

TAMO_API int32_t TAMO_CALL tamoCalent(int32_t handle, int32_t material, double t, double* h) {
  return withMaterial(handle, material, [&](const tamo::MaterialRecord& m) {
    if (m.nEnthalpy <= 0) return tamo::kBadFunctionKind;
    if (!h) return tamo::kNullArray;
    *h = tamo::enthalpy(m, t);
    return tamo::kOk;
  });
}

}  // extern "C"
