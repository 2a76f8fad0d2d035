// Means of a node property over the interface between two nodes. Within one material the
// property varies smoothly and is averaged with the interface weight; across a material
// boundary the two half-distances act as series resistances.
#pragma once

namespace tamo {

// Smallest normal double: keeps the series mean finite when both values are 0.
inline constexpr double kSeriesMeanGuard = 2.2250738585072014e-308;

// f * left + (1 - f) * right, f the weight of the left node.
inline double weightedMean(double f, double left, double right) {
  return f * left + (1.0 - f) * right;
}

// Series (harmonic) mean of two conductivities over the two parts of the distance,
// f the share of the left node.
inline double seriesMean(double f, double left, double right) {
  return left * right / ((1.0 - f) * left + f * right + kSeriesMeanGuard);
}

// The weighted mean inside one material, the series mean across a material boundary.
inline double interfaceMean(bool sameMaterial, double f, double left, double right) {
  return sameMaterial ? weightedMean(f, left, right) : seriesMean(f, left, right);
}

}  // namespace tamo
