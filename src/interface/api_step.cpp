// Exported operations: the time step and the query of the last system.
#include <algorithm>

#include "interface/call_frame.h"
#include "model/context.h"
#include "model/surface_condition.h"
#include "solver/step_driver.h"
#include "solver/system_query.h"
#include "tamo1dkernel.h"

using tamo::Context;

namespace {

int32_t stepChecked(Context& ctx, double dt, double* temperature, double* humidity,
                    double* waterContent, int32_t* iterationCount, double* maxHumidityChange,
                    double* maxTemperatureChange, int32_t* status) {
  if (const int32_t code = tamo::checkStepPreconditions(ctx, dt); code != tamo::kOk) {
    return code;
  }
  if (!temperature || !humidity || !waterContent || !iterationCount || !maxHumidityChange ||
      !maxTemperatureChange || !status) {
    return tamo::kNullArray;
  }
  return tamo::runStep(ctx, dt, temperature, humidity, waterContent,
                       {iterationCount, maxHumidityChange, maxTemperatureChange, status});
}

}  // namespace

extern "C" {

TAMO_API int32_t TAMO_CALL tamoStep(int32_t handle, double dt, int32_t /*ignored*/,
                                    double* temperature, double* humidity, double* waterContent,
                                    int32_t* iterationCount, double* maxHumidityChange,
                                    double* maxTemperatureChange, int32_t* status) {
  return tamo::withContext(handle, [&](Context& ctx) {
    return stepChecked(ctx, dt, temperature, humidity, waterContent, iterationCount,
                       maxHumidityChange, maxTemperatureChange, status);
  });
}

TAMO_API int32_t TAMO_CALL tamoStep2(int32_t handle, double heatTransferA, double sdA,
                                     double temperatureA, double humidityA, double radiationA,
                                     double counterRadiationA, double rainA, double heatTransferB,
                                     double sdB, double temperatureB, double humidityB,
                                     double radiationB, double counterRadiationB, double rainB,
                                     double pressure, double dt, int32_t /*ignored*/,
                                     double* temperature, double* humidity, double* waterContent,
                                     int32_t* iterationCount, double* maxHumidityChange,
                                     double* maxTemperatureChange, int32_t* status) {
  return tamo::withContext(handle, [&](Context& ctx) {
    const double a[7] = {heatTransferA,     sdA,  temperatureA, humidityA, radiationA,
                         counterRadiationA, rainA};
    const double b[7] = {heatTransferB,     sdB,  temperatureB, humidityB, radiationB,
                         counterRadiationB, rainB};
    tamo::applyClimate(ctx, a, b, pressure);
    return stepChecked(ctx, dt, temperature, humidity, waterContent, iterationCount,
                       maxHumidityChange, maxTemperatureChange, status);
  });
}

TAMO_API int32_t TAMO_CALL tamoGetSolver(int32_t handle, int32_t count, double* lower,
                                         double* diagonal, double* upper, double* rightHandSide) {
  return tamo::withContext(handle, [&](Context& ctx) {
    if (count < 1) return tamo::kOk;
    if (!lower || !diagonal || !upper || !rightHandSide) return tamo::kNullArray;
    if (!tamo::isTrue(ctx.gridDefined)) return tamo::kOk;
    tamo::copySystem(ctx, std::min(count, ctx.nodeCount), lower, diagonal, upper, rightHandSide);
    return tamo::kOk;
  });
}

}  // extern "C"
