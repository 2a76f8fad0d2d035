// Moisture storage function w(phi) of a material and its inverse.
//
// Modes (fields of the material record):
//   nStorage = 0   no function: w = 0, dw/dphi = 0
//   nStorage >= 2  table (phi, w, dw/dphi estimate) ending with (1.01, wmax); w linear
//                  between rows, dw/dphi the linear interpolation of the stored estimates
//   nStorage = 1   analytic form storageForm with parameters in row 1 of sortab:
//                  0: w = p1 / (p2 - phi) + p3 (p1, p2, p3 = x, y, z)
//                  1: w = wf * (b - 1) * phi / (b - phi), b = z
//                  2: w = wf / (1 + (ln(phi) / a) ^ m), a = x, m = y
//                  forms 1 and 2 follow the line through (1, wf) and (1.01, wmax) above 1.
#pragma once

#include "model/material_record.h"

namespace tamo {

// [kg/m3] water content at relative humidity phi; stores dw/dphi [kg/m3] when dwdphi is
// not null. A material without storage function (nStorage <= 0) gives 0 (and derivative
// 0) and reads no table. Allocates nothing.
double storageValue(const MaterialRecord& m, double phi, double* dwdphi);
inline double storageValue(const MaterialRecord& m, double phi) {
  return storageValue(m, phi, nullptr);
}

// Relative humidity at which the storage function reaches w, by bisection on 0..1.01 down
// to an interval of 1e-12 (assumes w increases with phi). w <= 0 gives *phi = 0 and 0;
// w at or above w(1.01) gives 1.01. Returns 0, or -12 without storage function (*phi = 0).
int storageInverse(const MaterialRecord& m, double w, double* phi);

}  // namespace tamo
