// Moisture storage function: table interpolation, the three analytic forms and the
// bisection that inverts them.
#include "material/storage_function.h"

#include <cmath>

#include "interface/result_codes.h"
#include "material/lookups.h"

namespace tamo {

namespace {

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
inline double tableValue(const TripleTable& t, int n, double phi, double* dwdphi) {
  if (phi <= 0.0) {
    if (dwdphi) *dwdphi = t.z(1);
    return t.y(1);
  }
  if (phi >= kPhiMax) {
    if (dwdphi) *dwdphi = t.z(n);
    return t.y(n);
  }
  const int k = searchRows(t, n, phi);
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

}  // namespace

double storageValue(const MaterialRecord& m, double phi, double* dwdphi) {
  const int n = m.nStorage;
  if (n <= 0 || m.sortab.rows() < n) {
    // no storage function (a row count beyond the held rows never occurs after a load)
    if (dwdphi) *dwdphi = 0.0;
    return 0.0;
  }
  if (n >= 2) return tableValue(m.sortab, n, phi, dwdphi);
  switch (m.storageForm) {
    case 1:
      return originHyperbolaValue(m, phi, dwdphi);
    case 2:
      return powerFormValue(m, phi, dwdphi);
    default:
      return hyperbolaValue(m, phi, dwdphi);
  }
}

int storageInverse(const MaterialRecord& m, double w, double* phi) {
  if (w <= 0.0) {
    *phi = 0.0;
    return kOk;
  }
  if (m.nStorage <= 0) {
    *phi = 0.0;
    return kBadTableLength;
  }
  if (w >= storageValue(m, kPhiMax)) {
    *phi = kPhiMax;
    return kOk;
  }
  double lo = 0.0;
  double hi = kPhiMax;
  double p = 0.505;
  do {
    const double wc = storageValue(m, p);
    if (wc == w) break;
    if (wc > w) {
      hi = p;
    } else {
      lo = p;
    }
    p = (lo + hi) / 2.0;
  } while (std::fabs(hi - lo) > 1e-12);
  *phi = p;
  return kOk;
}

}  // namespace tamo
