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
// storageValue is defined here so that the balance assemblies get it inlined.
#pragma once

#include <cmath>
#include <cstdint>

#include "material/lookups.h"
#include "model/material_record.h"

namespace tamo {

namespace detail {

constexpr double kTiny = 1e-25;             // keeps denominators away from 0
constexpr double kPhiMax = 1.01;            // relative humidity at which w reaches wmax
constexpr double kPowerFormMin = 1e-4;      // lower clamp of the power form in ln(phi)
constexpr double kPowerFormLine = 0.99999;  // power form hands over to the line above this

// phi clamped to [lo, 1.01]; NaN becomes lo.
inline double clampHumidity(double phi, double lo) {
  if (!(phi >= lo)) return lo;  // also NaN
  return phi > kPhiMax ? kPhiMax : phi;
}

// Table mode: N rows (phi, w, z), z the derivative estimates made at load.
inline double tableValue(const TripleTable& t, int n, double phi, double* dwdphi, int32_t* hint) {
  if (phi <= 0.0) {
    if (dwdphi) *dwdphi = t.z(1);
    return t.y(1);
  }
  if (phi >= kPhiMax) {
    if (dwdphi) *dwdphi = t.z(n);
    return t.y(n);
  }
  const int k = searchRowsFrom(t, n, phi, hint);
  const double s = (phi - t.x(k)) / (t.x(k + 1) - t.x(k));
  if (dwdphi) *dwdphi = t.z(k) + s * (t.z(k + 1) - t.z(k));
  return t.y(k) + s * (t.y(k + 1) - t.y(k));
}

// Over-hygroscopic line of forms 1 and 2 through (1, wf) and (1.01, wmax).
inline double overHygroscopicLine(const MaterialRecord& m, double phiC, double* dwdphi) {
  if (dwdphi) *dwdphi = 100.0 * (m.wmax - m.wf);
  return m.wf + (phiC - 1.0) * 100.0 * (m.wmax - m.wf);
}

// Form 0: w = p1 / (p2 - phi) + p3.
inline double hyperbolaValue(const MaterialRecord& m, double phi, double* dwdphi) {
  const double p1 = m.sortab.x(1);
  const double p2 = m.sortab.y(1);
  const double p3 = m.sortab.z(1);
  const double phiC = clampHumidity(phi, 0.0);
  const double gap = p2 - phiC;
  if (dwdphi) *dwdphi = p1 / (gap * gap);
  return p1 / gap + p3;
}

// Form 1: w = wf * (b - 1) * phi / (b - phi), through the origin and (1, wf).
inline double originHyperbolaValue(const MaterialRecord& m, double phi, double* dwdphi) {
  const double phiC = clampHumidity(phi, 0.0);
  if (phiC > 1.0) return overHygroscopicLine(m, phiC, dwdphi);
  const double b = m.sortab.z(1);
  const double g = b - phiC + kTiny;
  const double w = m.wf * (b - 1.0) * phiC / g;
  if (dwdphi) *dwdphi = m.wf * (b - 1.0) / g + w / g;
  return w;
}

// Form 2: w = wf / (1 + (ln(phi) / a) ^ m), straight from the origin below phi = 1e-4.
inline double powerFormValue(const MaterialRecord& m, double phi, double* dwdphi) {
  const double phiC = clampHumidity(phi, kPowerFormMin);
  if (phiC > kPowerFormLine) return overHygroscopicLine(m, phiC, dwdphi);
  const double a = m.sortab.x(1);
  const double exponent = m.sortab.y(1);
  const double L = std::log(phiC);
  const double q = std::pow(L / a, exponent);
  double w = m.wf / (1.0 + q);
  double dw = -exponent * m.wf * q / ((1.0 + q) * (1.0 + q) * phiC * L + kTiny);
  if (phi < kPowerFormMin) {
    // straight line from the origin to the value at 1e-4
    dw = w / kPowerFormMin;
    w = (w / kPowerFormMin) * phi;
  }
  if (dwdphi) *dwdphi = dw;
  return w;
}

}  // namespace detail

// [kg/m3] water content at relative humidity phi; stores dw/dphi [kg/m3] when dwdphi is
// not null. A material without storage function (nStorage <= 0) gives 0 (and derivative
// 0) and reads no table. Allocates nothing. hint: row memory of the call site for a
// table (see searchRowsFrom), or null.
[[gnu::always_inline]] inline double storageValue(const MaterialRecord& m, double phi,
                                                  double* dwdphi, int32_t* hint = nullptr) {
  const int n = m.nStorage;
  if (n <= 0 || m.sortab.rows() < n) {
    // no storage function (a row count beyond the held rows never occurs after a load)
    if (dwdphi) *dwdphi = 0.0;
    return 0.0;
  }
  if (n >= 2) return detail::tableValue(m.sortab, n, phi, dwdphi, hint);
  switch (m.storageForm) {
    case 1:
      return detail::originHyperbolaValue(m, phi, dwdphi);
    case 2:
      return detail::powerFormValue(m, phi, dwdphi);
    default:
      return detail::hyperbolaValue(m, phi, dwdphi);
  }
}
inline double storageValue(const MaterialRecord& m, double phi) {
  return storageValue(m, phi, nullptr);
}

// Relative humidity at which the storage function reaches w, by bisection on 0..1.01 down
// to an interval of 1e-12 (assumes w increases with phi). w <= 0 gives *phi = 0 and 0;
// w at or above w(1.01) gives 1.01. Returns 0, or -12 without storage function (*phi = 0).
int storageInverse(const MaterialRecord& m, double w, double* phi);

}  // namespace tamo
