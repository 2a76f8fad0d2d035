// Loading of material functions: copies or builds the new table, then swaps it into the
// record and updates the values derived from it (wf, wmax, nearSaturation,
// liquidUptakeCap). Nothing in the record changes before the new table exists.
#include "model/material_functions.h"

#include <cmath>
#include <new>
#include <utility>

#include "interface/result_codes.h"
#include "material/lookups.h"
#include "material/storage_function.h"

namespace tamo {

namespace {

constexpr double kTiny = 1e-25;  // keeps the denominators of the fits away from 0

// The caller's points, read 1-based: x(1..n), y(1..n).
struct Points {
  const double* xs;
  const double* ys;
  double x(int i) const { return xs[i - 1]; }
  double y(int i) const { return ys[i - 1]; }
};

bool exceedsRowLimit(int64_t rows) {
  return rows > kMaxTableRows;
}

// Rows (x(i), y(i)), i = 1..n.
PairTable copyPairs(const Points& p, int n) {
  PairTable t;
  t.resize(n);
  for (int i = 1; i <= n; ++i) {
    t.x(i) = p.x(i);
    t.y(i) = p.y(i);
  }
  return t;
}

// Raises every coefficient to at least 1e-16 (NaN stays as given).
void applyLiquidFloor(PairTable& t) {
  for (int i = 1; i <= t.rows(); ++i) {
    if (t.y(i) < kLiquidCoefficientFloor) t.y(i) = kLiquidCoefficientFloor;
  }
}

// slope(i) = secant of rows i, i+1 for i < n; slope(n) = slope(n-1); nothing for n < 2.
void fillSlopeColumn(TripleTable& t) {
  const int n = t.rows();
  if (n < 2) return;
  for (int i = 1; i <= n - 1; ++i) t.z(i) = (t.y(i + 1) - t.y(i)) / (t.x(i + 1) - t.x(i));
  t.z(n) = t.z(n - 1);
}

// liquidUptakeCap = 10 * D(w(1)) * dw/dphi(1) with D from the suction table capped at wf;
// 0 while the suction table has fewer than 2 rows.
void updateUptakeCap(MaterialRecord& m) {
  if (m.nSuction <= 1) {
    m.liquidUptakeCap = 0.0;
    return;
  }
  double d1 = 0.0;
  const double w1 = storageValue(m, 1.0, &d1);
  const double D = lookupLogCapped(m.fktabs, w1, m.wf);
  m.liquidUptakeCap = 10.0 * D * d1;
}

// ---- kind 1: moisture storage function --------------------------------------------------

// Form 1 through (x(1), y(1)) with wf = y(2): b = z of row 1.
double originHyperbolaParameter(const Points& p) {
  return p.x(1) * (p.y(1) - p.y(2)) / (p.y(1) - p.x(1) * p.y(2) + kTiny);
}

// Form 2 through (x(1), y(1)) and (x(2), y(2)) with wf = y(3): a (row 1 x) and the
// exponent (row 1 y).
void fitPowerForm(const Points& p, double wf, double& a, double& exponent) {
  const double e = kTiny;
  const double L1 = std::log(p.x(1) + e);
  const double L2 = std::log((wf - p.y(1) + e) / (p.y(1) + e));
  const double L3 = std::log(p.x(2) + e);
  const double L4 = std::log(L1 / L3);
  const double L5 = std::log((p.y(2) * (wf - p.y(1)) + e) / (p.y(1) * (wf - p.y(2)) + e));
  a = L1 / std::exp(L2 * L4 / (L5 + e));
  exponent = L5 / (L4 + e);
}

// Derivative estimates of a storage table of N rows: one-sided secants at rows 1, N-1 and
// N, the mean of the neighbouring secants at rows 2..N-2. Needs N >= 3.
void fillStorageDerivatives(TripleTable& t) {
  const int N = t.rows();
  auto secant = [&t](int i) { return (t.y(i + 1) - t.y(i)) / (t.x(i + 1) - t.x(i)); };
  t.z(1) = secant(1);
  for (int i = 2; i <= N - 2; ++i) t.z(i) = (secant(i - 1) + secant(i)) / 2.0;
  t.z(N - 1) = secant(N - 2);
  t.z(N) = secant(N - 1);
}

int32_t loadStorage(MaterialRecord& m, int32_t analytic, int32_t n, const Points& p) {
  // 1. the points, with a leading (0, 0) row when they start above phi = 0; one spare row
  if (n == 1) return kBadTableLength;  // a single point defines no function
  const bool leadingOrigin = n >= 1 && p.x(1) > 0.0;
  const int count = leadingOrigin ? n + 1 : n;
  if (exceedsRowLimit(static_cast<int64_t>(count) + 1)) return kBadTableLength;
  TripleTable t;
  t.resize(count + 1);
  const int offset = leadingOrigin ? 1 : 0;
  for (int i = 1; i <= n; ++i) {
    t.x(i + offset) = p.x(i);
    t.y(i + offset) = p.y(i);
  }
  int nStorage = count;
  int32_t form = 0;
  const bool fitted = analytic == 1 && n >= 1;
  double fittedWf = 0.0;
  if (fitted) {
    // 2. analytic form through the given points; row 1 holds its parameters
    if (n == 2) {
      form = 1;
      fittedWf = p.y(2);
      t.z(1) = originHyperbolaParameter(p);
    } else {
      form = 2;
      fittedWf = p.y(3);
      fitPowerForm(p, fittedWf, t.x(1), t.y(1));
    }
    nStorage = 1;
  } else if (nStorage == 0) {
    // 3. default function w = k / (1.0105 - phi) - k / 1.0105: 0 at phi = 0, wmax at 1.01
    const double k = m.wmax * 1.0105 * (1.0105 - 1.01) / 1.01;
    t.x(1) = k;
    t.y(1) = 1.0105;
    t.z(1) = -k / 1.0105;
    nStorage = 1;
  } else {
    // 3. table: append (1.01, wmax) and estimate the derivatives
    const int N = count + 1;
    t.x(N) = 1.01;
    t.y(N) = m.wmax;
    fillStorageDerivatives(t);
    t.noteOrder();
    nStorage = N;
  }

  std::swap(m.sortab, t);
  m.nStorage = static_cast<int16_t>(nStorage);
  m.storageForm = form;
  if (fitted) m.wf = fittedWf;

  // 4.-7. derived values
  const double w1 = storageValue(m, 1.0);
  if (w1 >= m.wmax) m.wmax = 1.01 * w1;
  m.wf = (analytic == 0 && m.nStorage == 1) ? 0.7 * m.wmax : w1;
  m.nearSaturation = 0.99 * m.wmax;
  updateUptakeCap(m);
  return kOk;
}

// ---- kinds 2 and 3: liquid transport coefficient ----------------------------------------

// Table from the water absorption coefficient A (kg/(m2 s^0.5)):
// (0, 1e-16), (w80, D0 * 1000^(w80/wF - 1)), (wF, f * D0), (w101, f * D0) with
// D0 = 3.8 (A / wF)^2 and f = 1 for suction, 0.1 for redistribution.
PairTable liquidTableFromAbsorption(const MaterialRecord& m, double A, double saturatedFactor) {
  const double w80 = storageValue(m, 0.8);
  const double wF = storageValue(m, 1.0);
  const double w101 = storageValue(m, 1.01);
  const double ratio = A / wF;
  const double D0 = 3.8 * (ratio * ratio);
  PairTable t;
  t.resize(4);
  t.x(1) = 0.0;
  t.y(1) = kLiquidCoefficientFloor;
  t.x(2) = w80;
  t.y(2) = D0 * std::pow(1000.0, w80 / wF - 1.0);
  t.x(3) = wF;
  t.y(3) = saturatedFactor * D0;
  t.x(4) = w101;
  t.y(4) = saturatedFactor * D0;
  return t;
}

int32_t loadLiquidTable(MaterialRecord& m, bool suction, int32_t analytic, int32_t n,
                        const Points& p) {
  PairTable t;
  if (analytic == 1) {
    if (n >= 1) t = liquidTableFromAbsorption(m, p.y(1), suction ? 1.0 : 0.1);
  } else {
    if (exceedsRowLimit(n)) return kBadTableLength;
    t = copyPairs(p, n);
    applyLiquidFloor(t);
  }
  t.noteOrder();
  t.noteRatios();
  if (suction) {
    std::swap(m.fktabs, t);
    m.nSuction = static_cast<int16_t>(m.fktabs.rows());
    updateUptakeCap(m);
  } else {
    std::swap(m.fktabr, t);
    m.nRedistribution = static_cast<int16_t>(m.fktabr.rows());
  }
  return kOk;
}

// ---- kinds 4 and 5: thermal conductivity ------------------------------------------------

int32_t loadConductivityOverWater(MaterialRecord& m, int32_t analytic, int32_t n, const Points& p) {
  if (n < 1) return kBadTableLength;
  PairTable t;
  if (analytic == 1) {
    // lambda(w) = lambda0 * (1 + b * w / rho) from w = 0 to the water content of filled pores
    t.resize(n == 1 ? 1 : 2);
    t.x(1) = 0.0;
    t.y(1) = p.y(1);
    if (n != 1) {
      t.x(2) = 1000.0 * m.por;
      t.y(2) = ((1000.0 * m.por / m.rho) * p.y(2) + 1.0) * p.y(1);
    }
  } else {
    if (exceedsRowLimit(n)) return kBadTableLength;
    t = copyPairs(p, n);
  }
  std::swap(m.bltab, t);
  m.nLambdaW = static_cast<int16_t>(m.bltab.rows());
  return kOk;
}

int32_t loadConductivityOverTemperature(MaterialRecord& m, int32_t analytic, int32_t n,
                                        const Points& p) {
  PairTable t;
  if (n < 1) {
    // temperature-independent: one row at 10 degC with the dry value of bltab, or no
    // table at all when bltab is empty
    if (m.nLambdaW >= 1 && m.bltab.rows() >= 1) {
      t.resize(1);
      t.x(1) = 10.0;
      t.y(1) = m.bltab.y(1);
    }
  } else if (analytic == 1) {
    // lambda = lambda10 + b * (T - 10) between -20 and 80 degC
    if (n == 1) {
      t.resize(1);
      t.x(1) = 10.0;
      t.y(1) = p.y(1);
    } else {
      t.resize(2);
      t.x(1) = -20.0;
      t.y(1) = p.y(1) - 30.0 * p.y(2);
      t.x(2) = 80.0;
      t.y(2) = p.y(1) + 70.0 * p.y(2);
    }
  } else {
    if (exceedsRowLimit(n)) return kBadTableLength;
    t = copyPairs(p, n);
  }
  std::swap(m.bltemptab, t);
  m.nLambdaT = static_cast<int16_t>(m.bltemptab.rows());
  return kOk;
}

// ---- kinds 6 and 7 ------------------------------------------------------------------------

int32_t loadResistanceFactor(MaterialRecord& m, int32_t n, const Points& p) {
  if (exceedsRowLimit(n)) return kBadTableLength;
  PairTable t = copyPairs(p, n);
  t.noteOrder();
  t.noteRatios();
  std::swap(m.bmytab, t);
  m.nMu = static_cast<int16_t>(m.bmytab.rows());
  return kOk;
}

int32_t loadEnthalpy(MaterialRecord& m, int32_t n, const Points& p) {
  if (exceedsRowLimit(n)) return kBadTableLength;
  TripleTable t;
  t.resize(n);
  for (int i = 1; i <= n; ++i) {
    t.x(i) = p.x(i);
    t.y(i) = p.y(i);
  }
  fillSlopeColumn(t);
  std::swap(m.enttab, t);
  m.nEnthalpy = static_cast<int16_t>(m.enttab.rows());
  return kOk;
}

}  // namespace

int32_t loadMaterialFunction(MaterialRecord& m, int32_t kind, int32_t analytic, int32_t n,
                             const double* xs, const double* ys) {
  const Points p{xs, ys};
  try {
    switch (kind) {
      case 1:
        return loadStorage(m, analytic, n, p);
      case 2:
        return loadLiquidTable(m, true, analytic, n, p);
      case 3:
        return loadLiquidTable(m, false, analytic, n, p);
      case 4:
        return loadConductivityOverWater(m, analytic, n, p);
      case 5:
        return loadConductivityOverTemperature(m, analytic, n, p);
      case 6:
        return loadResistanceFactor(m, n, p);
      case 7:
        return loadEnthalpy(m, n, p);
      default:
        return kBadFunctionKind;
    }
  } catch (const std::bad_alloc&) {
    return kNoMemory;
  }
}

}  // namespace tamo
