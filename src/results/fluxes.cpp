#include "results/fluxes.h"

#include <cmath>

#include "model/context.h"

namespace tamo {
namespace {

constexpr double kStefanBoltzmann = 5.67e-8;  // [W/(m2 K4)]
// Below this humidity gradient [1/m] no liquid water crosses a surface.
constexpr double kSurfaceLiquidThreshold = 1e-25;

double fourthPower(double x) {
  const double x2 = x * x;
  return x2 * x2;
}

// [kg/(m s Pa)] vapour permeability of still air at T [degC] and pressure p [Pa].
double stillAirPermeability(double T, double p) {
  return 1.968e-7 * std::pow(T + 273.15, 0.81) / p;
}

}  // namespace

void computeFluxes(const Context& ctx, const double* temperature, const double* humidity,
                   double* heatFlux, double* enthalpyFlux, double* vapourFlux, double* liquidFlux) {
  const HostArray<const double> T(temperature);
  const HostArray<const double> phi(humidity);
  const HostArray<double> heat(heatFlux);
  const HostArray<double> enthalpy(enthalpyFlux);
  const HostArray<double> vapour(vapourFlux);
  const HostArray<double> liquid(liquidFlux);
  const OneBased<double>& G = ctx.inverseDistance;
  const int32_t N = ctx.interfaceCount;

  for (int32_t k = 1; k <= N; ++k) {
    liquid[k] = (phi[k] - phi[k + 1]) * G[k] * ctx.liquidTransferCoefficient[k];
    vapour[k] = ctx.vapourDiffusionFlux[k];
    heat[k] = (T[k] - T[k + 1]) * ctx.heatConductance[k] * G[k];
    const double latentHeat = ctx.latentHeatEvaporation - ctx.latentHeatSlope * T[k];
    enthalpy[k] = heat[k] + latentHeat * ctx.vapourDiffusionFlux[k];
  }

  // Liquid water crosses a surface only into the component.
  if ((phi[1] - phi[2]) * G[1] < kSurfaceLiquidThreshold) liquid[1] = 0.0;
  if ((phi[N] - phi[N + 1]) * G[N] > kSurfaceLiquidThreshold) liquid[N] = 0.0;

  // Surface radiation balance; long-wave emission at the temperature of the surface node.
  // Both surfaces add their gain with the same sign.
  enthalpy[1] += ctx.sideA.absorbedRadiation;
  if (isTrue(ctx.sideA.explicitLongWave)) {
    enthalpy[1] -= ctx.sideA.emissivity * kStefanBoltzmann * fourthPower(T[2] + 273.15);
  }
  enthalpy[N] += ctx.sideB.absorbedRadiation;
  if (isTrue(ctx.sideB.explicitLongWave)) {
    enthalpy[N] -= ctx.sideB.emissivity * kStefanBoltzmann * fourthPower(T[N] + 273.15);
  }
}

void surfaceCoefficients(const Context& ctx, double* heatA, double* vapourA, double* heatB,
                         double* vapourB) {
  const double p = ctx.airPressure;
  *heatA = ctx.sideA.heatTransferCoefficient;
  *vapourA = stillAirPermeability(ctx.sideA.ambientTemperature, p) / ctx.sideA.sdValue;
  *heatB = ctx.sideB.heatTransferCoefficient;
  *vapourB = stillAirPermeability(ctx.sideB.ambientTemperature, p) / ctx.sideB.sdValue;
}

}  // namespace tamo
