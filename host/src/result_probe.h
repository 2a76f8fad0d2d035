// Reads the results of the node state from the library (water contents, saturation
// pressures, dew points, total water, interface fluxes) and derives the values the outputs
// report: surface and layer-boundary temperatures and humidities, layer water.
#ifndef TAMO1D_RESULT_PROBE_H
#define TAMO1D_RESULT_PROBE_H

#include <cstdint>
#include <vector>

#include "grid_builder.h"

namespace tamo1d {

class ResultProbe {
 public:
  ResultProbe(int32_t handle, const Grid& grid, const std::vector<int32_t>& layerMaterial,
              int32_t materialCount);

  // Queries the library for the state (n node temperatures degC, humidities). Returns the
  // library's result code (0 = success).
  int32_t refresh(const std::vector<double>& temperature, const std::vector<double>& humidity);

  // Node values after refresh, C arrays of n entries (entry k-1 = node k).
  const std::vector<double>& waterContent() const { return waterContent_; }
  const std::vector<double>& saturationPressure() const { return saturationPressure_; }
  const std::vector<double>& dewPoint() const { return dewPoint_; }
  double totalWater() const { return totalWater_; }  // kg/m2

  // Interface fluxes of interface k (1..N), positive from side A to side B.
  double heatFlux(int k) const { return heatFlux_[static_cast<std::size_t>(k - 1)]; }
  double enthalpyFlux(int k) const { return enthalpyFlux_[static_cast<std::size_t>(k - 1)]; }
  double vapourFlux(int k) const { return vapourFlux_[static_cast<std::size_t>(k - 1)]; }
  double liquidFlux(int k) const { return liquidFlux_[static_cast<std::size_t>(k - 1)]; }

  // Temperature (degC) and relative humidity at the boundary b (1..L-1) between layers b
  // and b+1: the two neighbouring cell values weighted by the conductances of the half
  // cells (thermal conductivity, vapour permeance), so a steady profile is met exactly.
  double boundaryTemperature(int b) const;
  double boundaryHumidity(int b) const;

  // Interface number k of the boundary b (1..L-1) between layers b and b+1.
  int boundaryInterface(int b) const {
    return grid_.layerEndInterface[static_cast<std::size_t>(b - 1)];
  }

  // Water of layer l (0-based): kg/m2, and its mean water content kg/m3.
  double layerWater(int l) const;
  double layerWaterContent(int l) const;

 private:
  // Library node volume of node k (2..N): the cell width, halved at both surface cells.
  double nodeVolume(int k) const;

  int32_t handle_;
  const Grid& grid_;
  std::vector<int32_t> layerMaterial_;  // per layer: library material number
  int32_t materialCount_;

  std::vector<double> temperature_, humidity_;  // n entries: the state of the last refresh
  std::vector<double> waterContent_, saturationPressure_, dewPoint_;  // n entries
  std::vector<double> materialWater_;  // materialCount entries (the library's layer means)
  double interiorMean_ = 0.0, totalWater_ = 0.0;
  std::vector<double> heatFlux_, enthalpyFlux_, vapourFlux_, liquidFlux_;  // N entries
};

}  // namespace tamo1d

#endif
