// Moisture storage function w(phi) of a material and its inverse.
#pragma once

#include "model/material_record.h"

namespace tamo {

// [kg/m3] water content at relative humidity phi; stores dw/dphi when dwdphi != nullptr.
// A material without storage function (nStorage <= 0) gives 0 (and derivative 0).
double storageValue(const MaterialRecord& m, double phi, double* dwdphi);
inline double storageValue(const MaterialRecord& m, double phi) {
  return storageValue(m, phi, nullptr);
}

// Relative humidity at which the storage function reaches w (bisection on 0..1.01 to
// 1e-12). Returns 0, or -12 without storage function (*phi = 0).
int storageInverse(const MaterialRecord& m, double w, double* phi);

}  // namespace tamo
