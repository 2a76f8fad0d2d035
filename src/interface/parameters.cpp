#include "interface/parameters.h"

#include <algorithm>

#include "model/context.h"

namespace tamo {

void applyParameters(Context& ctx, const ParameterFlags& f) {
  ctx.heatTransport = f.heatTransport;
  ctx.moistureTransport = f.moistureTransport;
  ctx.liquidTransport = f.liquidTransport & f.moistureTransport;

  // Setting the parameters removes every source defined before.
  ctx.sourceCount = 0;
  ctx.heatSourceCount = 0;
  ctx.moistureSourceCount = 0;
  ctx.latentHeatSlope = 0.0;

  ctx.latentHeatEvaporation = isTrue(f.evaporation) ? 2.5e6 : 1.0;
  if (f.withSlopeFlag && isTrue(f.evaporation) && isTrue(f.temperatureDependentEvaporation)) {
    ctx.latentHeatSlope = 2440.0;
  }
  ctx.latentHeatFusion = isTrue(f.fusion) ? 333000.0 : 0.0;

  const int32_t n = ctx.nodeCount;
  int32_t restartBase = 0;
  int32_t dampingBase = 0;
  if (!isTrue(f.stabilisedIteration)) {
    restartBase = std::min(3 * n, 150);
    dampingBase = std::min(n / 2, 15);
    ctx.iterationFloor = 2;
    ctx.humidityRelaxationInitial = 0.8;
    ctx.humidityRelaxationMinimum = 0.3;
    ctx.secondRelaxationInitial = 0.6;
    ctx.secondRelaxationMinimum = 0.3;
  } else {
    restartBase = std::min(4 * n, 200);
    dampingBase = std::min(n / 2, 25);
    ctx.iterationFloor = 4;
    ctx.humidityRelaxationInitial = 0.8;
    ctx.humidityRelaxationMinimum = 0.2;
    ctx.secondRelaxationInitial = 0.5;
    ctx.secondRelaxationMinimum = 0.2;
  }
  if (!isTrue(f.fineConvergence)) {
    ctx.tolerance = 1e-5;
    ctx.restartIteration = restartBase;
    ctx.dampingStartIteration = dampingBase;
  } else {
    ctx.tolerance = 1e-6;
    ctx.restartIteration = 3 * restartBase;
    ctx.dampingStartIteration = 3 * dampingBase;
  }
  ctx.parametersSet = -1;
}

}  // namespace tamo
