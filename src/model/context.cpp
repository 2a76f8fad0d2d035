#include "model/context.h"

namespace tamo {

void releaseContextArrays(Context& ctx) {
  ctx.materialDefined.release();
  ctx.materials.release();  // each record releases its tables
  ctx.nodeMaterial.release();
  ctx.storageRowHint.release();
  ctx.unfrozenRowHint.release();
  ctx.liquidRowHint.release();
  ctx.resistanceRowHint.release();
  for (OneBased<double>* a :
       {&ctx.saturationPressure, &ctx.previousTemperature, &ctx.previousHumidity,
        &ctx.stepStartTemperature, &ctx.stepStartHumidity, &ctx.stepStartWaterContent,
        &ctx.airVoidFraction, &ctx.latentHeatSource, &ctx.relaxedLatentHeatSource,
        &ctx.heatConductance, &ctx.liquidTransferCoefficient, &ctx.vapourPermeability,
        &ctx.vapourDiffusionFlux, &ctx.systemLower, &ctx.systemUpper, &ctx.systemDiagonal,
        &ctx.systemRightHandSide, &ctx.interfacePosition, &ctx.interfaceWeight,
        &ctx.inverseDistance, &ctx.nodeVolume, &ctx.eastAreaFactor, &ctx.westAreaFactor}) {
    a->release();
  }
  ctx.nodeTransport.release();
  ctx.sources.release();
  ctx.heatSourceList.release();
  ctx.moistureSourceList.release();
}

}  // namespace tamo
