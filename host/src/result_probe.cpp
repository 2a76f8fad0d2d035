#include "result_probe.h"

#include <cmath>

#include "tamo1dkernel.h"

namespace tamo1d {

ResultProbe::ResultProbe(int32_t handle, const Grid& grid,
                         const std::vector<int32_t>& layerMaterial, int32_t materialCount)
    : handle_(handle),
      grid_(grid),
      layerMaterial_(layerMaterial),
      materialCount_(materialCount),
      waterContent_(static_cast<std::size_t>(grid.nodeCount())),
      saturationPressure_(static_cast<std::size_t>(grid.nodeCount())),
      dewPoint_(static_cast<std::size_t>(grid.nodeCount())),
      materialWater_(static_cast<std::size_t>(materialCount)),
      heatFlux_(static_cast<std::size_t>(grid.interfaceCount())),
      enthalpyFlux_(static_cast<std::size_t>(grid.interfaceCount())),
      vapourFlux_(static_cast<std::size_t>(grid.interfaceCount())),
      liquidFlux_(static_cast<std::size_t>(grid.interfaceCount())) {}

int32_t ResultProbe::refresh(const std::vector<double>& temperature,
                             const std::vector<double>& humidity) {
  temperature_ = temperature;
  humidity_ = humidity;
  const int32_t rc =
      tamoGetIntermediate(handle_, 0, temperature.data(), humidity.data(), waterContent_.data(),
                          saturationPressure_.data(), dewPoint_.data(), materialCount_,
                          materialWater_.data(), &interiorMean_, &totalWater_);
  if (rc != TAMO_OK) return rc;
  // The physical total is the sum over the cells; the library's total is built from its
  // per-material means and differs from it when a material appears in several layers.
  totalWater_ = 0.0;
  for (std::size_t l = 0; l < grid_.layerFirstNode.size(); ++l) {
    totalWater_ += layerWater(static_cast<int>(l));
  }
  return tamoGetFlux(handle_, 0, temperature.data(), humidity.data(), heatFlux_.data(),
                     enthalpyFlux_.data(), vapourFlux_.data(), liquidFlux_.data());
}

double ResultProbe::nodeVolume(int k) const {
  const std::size_t i = static_cast<std::size_t>(k);
  double v = grid_.positions[i - 1] - grid_.positions[i - 2];
  if (k == 2) v *= 0.5;
  if (k == grid_.interfaceCount()) v *= 0.5;
  return v;
}

double ResultProbe::boundaryTemperature(int b) const {
  const int k = grid_.layerEndInterface[static_cast<std::size_t>(b - 1)];  // cells k | k+1
  const std::size_t left = static_cast<std::size_t>(k - 1), right = left + 1;
  const double halfLeft = 0.5 * (grid_.positions[left] - grid_.positions[left - 1]);
  const double halfRight = 0.5 * (grid_.positions[right] - grid_.positions[left]);
  double lambdaLeft = 0.0, lambdaRight = 0.0;
  tamoCallam(handle_, layerMaterial_[static_cast<std::size_t>(b - 1)], waterContent_[left],
             temperature_[left], &lambdaLeft);
  tamoCallam(handle_, layerMaterial_[static_cast<std::size_t>(b)], waterContent_[right],
             temperature_[right], &lambdaRight);
  const double gLeft = lambdaLeft / halfLeft, gRight = lambdaRight / halfRight;
  if (!(gLeft + gRight > 0.0)) return 0.5 * (temperature_[left] + temperature_[right]);
  return (gLeft * temperature_[left] + gRight * temperature_[right]) / (gLeft + gRight);
}

double ResultProbe::boundaryHumidity(int b) const {
  const int k = grid_.layerEndInterface[static_cast<std::size_t>(b - 1)];
  const std::size_t left = static_cast<std::size_t>(k - 1), right = left + 1;
  const double halfLeft = 0.5 * (grid_.positions[left] - grid_.positions[left - 1]);
  const double halfRight = 0.5 * (grid_.positions[right] - grid_.positions[left]);
  double muLeft = 1.0, muRight = 1.0;
  tamoCalmu(handle_, layerMaterial_[static_cast<std::size_t>(b - 1)], humidity_[left], &muLeft);
  tamoCalmu(handle_, layerMaterial_[static_cast<std::size_t>(b)], humidity_[right], &muRight);
  const double gLeft = 1.0 / (muLeft * halfLeft), gRight = 1.0 / (muRight * halfRight);
  const double pLeft = humidity_[left] * saturationPressure_[left];
  const double pRight = humidity_[right] * saturationPressure_[right];
  const double vapourPressure = (gLeft * pLeft + gRight * pRight) / (gLeft + gRight);
  // Saturation pressure at the boundary temperature: ln p_sat is close to linear in T
  // between two neighbouring cells.
  const double tLeft = temperature_[left], tRight = temperature_[right];
  double saturation = saturationPressure_[left];
  if (std::fabs(tRight - tLeft) > 1e-12 && saturationPressure_[left] > 0.0 &&
      saturationPressure_[right] > 0.0) {
    const double s = (boundaryTemperature(b) - tLeft) / (tRight - tLeft);
    saturation = saturationPressure_[left] *
                 std::pow(saturationPressure_[right] / saturationPressure_[left], s);
  }
  return saturation > 0.0 ? vapourPressure / saturation : 0.0;
}

double ResultProbe::layerWater(int l) const {
  double water = 0.0;
  const std::size_t layer = static_cast<std::size_t>(l);
  for (int k = grid_.layerFirstNode[layer]; k <= grid_.layerLastNode[layer]; ++k) {
    water += waterContent_[static_cast<std::size_t>(k - 1)] * nodeVolume(k);
  }
  return water;
}

double ResultProbe::layerWaterContent(int l) const {
  double volume = 0.0;
  const std::size_t layer = static_cast<std::size_t>(l);
  for (int k = grid_.layerFirstNode[layer]; k <= grid_.layerLastNode[layer]; ++k) {
    volume += nodeVolume(k);
  }
  return volume > 0.0 ? layerWater(l) / volume : 0.0;
}

}  // namespace tamo1d
