// Spline under tension: build from points and end derivatives, evaluation with derivative.
//
// On interval i (x(i) .. x(i+1), length h, tension tau) with u = (t - x(i)) / h, v = 1 - u:
//   f(t) = v * y(i) + u * y(i+1) + F(v) * c(i) + F(u) * d(i),
//   F(w) = (sinh(w tau) - w sinh tau) / (sinh tau - tau),  F(0) = F(1) = 0,
//   G(w) = dF/dw = (tau cosh(w tau) - sinh tau) / (sinh tau - tau),  G(0) = -1, G(1) = A.
// c(i), d(i) are chosen so that f' equals the point derivatives S(i), S(i+1) at both ends.
#include "material/spline.h"

#include <atomic>
#include <cmath>
#include <cstdint>

#include "model/one_based.h"

namespace tamo {

namespace {

// Arguments up to this magnitude use the series polynomials instead of sinh and cosh.
constexpr double kSeriesLimit = 0.1;

// sinh(a) = a + a^3 * seriesP(a^2).
double seriesP(double z) {
  return 1.0 / 6.0 + z / 120.0 + z * z / 5040.0 + z * z * z / 362880.0;
}

// cosh(a) = 1 + a^2 * seriesQ(a^2).
double seriesQ(double z) {
  return 1.0 / 2.0 + z / 24.0 + z * z / 720.0 + z * z * z / 40320.0;
}

// Start of the interval search, shared by every evaluation in the process. It only steers
// where the search begins: every value it can hold is reset to 1 when not below n, so any
// interleaving of concurrent evaluations still finds the right interval. Relaxed atomic
// access keeps it free of locks and of data races.
std::atomic<int32_t> intervalSearchStart{1};

// Bisection over rows lo..hi for x(lo) <= t < x(lo+1); each raise of the lower bound is
// remembered as the next search start.
int32_t bisectInterval(HostArray<const double> x, int32_t lo, int32_t hi, double t) {
  for (;;) {
    const auto mid = static_cast<int32_t>((static_cast<int64_t>(lo) + hi) / 2);
    if (mid == lo) return lo;
    if (x[mid] > t) {
      hi = mid;
    } else {
      lo = mid;
      intervalSearchStart.store(mid, std::memory_order_relaxed);
    }
  }
}

// Interval k (1..n-1) with x(k) <= t <= x(k+1), for x(1) <= t <= x(n) and n >= 2.
int32_t findInterval(HostArray<const double> x, int32_t n, double t) {
  int32_t k = intervalSearchStart.load(std::memory_order_relaxed);
  if (k >= n || k < 1) {
    k = 1;
    intervalSearchStart.store(1, std::memory_order_relaxed);
  }
  if (x[k] > t) {
    intervalSearchStart.store(1, std::memory_order_relaxed);
    return bisectInterval(x, 1, k, t);
  }
  if (x[k + 1] >= t) return k;
  return bisectInterval(x, k, n, t);
}

// A = G(1) = (t cosh t - sinh t) / (sinh t - t) for the tension magnitude t >= 0. A tension
// so small that t^3 / 6 vanishes against t leaves sinh t - t = 0; there the t^3 that cancels
// is divided out, A = (Q - P) / P, which is 2 at t = 0 (cubic Hermite).
double farEndSlopeFactor(double t) {
  double sh;
  double ch;
  if (t <= kSeriesLimit) {
    sh = t + t * t * t * seriesP(t * t);
    ch = 1.0 + t * t * seriesQ(t * t);
  } else {
    sh = std::sinh(t);
    ch = std::cosh(t);
  }
  if (sh - t == 0.0) {
    const double z = t * t;
    return (seriesQ(z) - seriesP(z)) / seriesP(z);
  }
  return (t * ch - sh) / (sh - t);
}

// Shape functions of one interval for the tension magnitude tau >= 0.
class ShapeFunctions {
 public:
  explicit ShapeFunctions(double tau)
      : tau_(tau),
        pTau_(seriesP(tau * tau)),
        sinhTau_(tau <= kSeriesLimit ? tau * (1.0 + tau * tau * pTau_) : std::sinh(tau)) {}

  // F(w), w in 0..1.
  double value(double w) const {
    const double wt = w * tau_;
    if (wt <= kSeriesLimit) return w * (w * w * seriesP(wt * wt) / pTau_ - 1.0);
    return (std::sinh(wt) - w * sinhTau_) / (sinhTau_ - tau_);
  }

  // G(w) = dF/dw, w in 0..1.
  double slope(double w) const {
    const double wt = w * tau_;
    if (sinhTau_ - tau_ == 0.0) {
      // tau^3 / 6 vanishes against tau: with tau^3 divided out,
      // G = (w^2 Q((w tau)^2) - P(tau^2)) / P(tau^2), 3 w^2 - 1 at tau = 0.
      return (w * w * seriesQ(wt * wt) - pTau_) / pTau_;
    }
    const double coshWt = wt <= kSeriesLimit ? 1.0 + wt * wt * seriesQ(wt * wt) : std::cosh(wt);
    return (tau_ * coshWt - sinhTau_) / (sinhTau_ - tau_);
  }

 private:
  double tau_;      // tension magnitude (-)
  double pTau_;     // seriesP(tau^2)
  double sinhTau_;  // sinh(tau)
};

}  // namespace

void splineBuild(int32_t n, const double* xData, const double* yData, const double* tensionData,
                 double* bData, double* cData, double* dData, double eps, int32_t* ierr) {
  if (n < 2) {
    *ierr = kSplineTooFewPoints;
    return;
  }
  const HostArray<const double> x(xData);
  const HostArray<const double> y(yData);
  const HostArray<const double> tension(tensionData);
  const HostArray<double> b(bData);
  const HostArray<double> c(cData);
  const HostArray<double> d(dData);

  OneBased<double> S;  // first derivative at each point (y units per x unit), n entries
  S.assign(static_cast<std::size_t>(n), 0.0);

  if (n == 2) {
    *ierr = kSplineTooFewPoints;
  } else {
    *ierr = kSplineOk;
    for (int32_t i = 2; i <= n - 1; ++i) {
      const double s1 = (y[i] - y[i - 1]) / (x[i] - x[i - 1]);
      const double s2 = (y[i + 1] - y[i]) / (x[i + 1] - x[i]);
      S[i] = harmonicDerivative(s1, s2, x[i + 1] - x[i - 1], y[i + 1] - y[i - 1], eps);
    }
  }
  S[1] = b[1];
  S[n] = b[n];

  for (int32_t i = 1; i <= n - 1; ++i) {
    const double t = std::fabs(tension[i]);
    const double h = x[i + 1] - x[i];
    const double delta = (y[i + 1] - y[i]) / h;
    const double A = farEndSlopeFactor(t);
    const double R = h * (S[i + 1] - delta);
    const double L = h * (S[i] - delta);
    // Solves -A c - d = L (slope S(i) at x(i)) and c + A d = R (slope S(i+1) at x(i+1)).
    c[i] = -(L + R / A) / (A - 1.0 / A);
    d[i] = (R - c[i]) / A;
    b[i] = y[i + 1];
  }
}

double splineValue(int32_t n, const double* xData, const double* tensionData, const double* yaData,
                   const double* ybData, const double* cData, const double* dData, double t,
                   int32_t* ierr, double* deriv) {
  if (n < 2) {
    *ierr = kSplineTooFewPoints;
    return 0.0;
  }
  const HostArray<const double> x(xData);
  // No extrapolation; a NaN argument is outside as well.
  if (!(t >= x[1] && t <= x[n])) {
    *ierr = kSplineOutsideCurve;
    return 0.0;
  }
  *ierr = kSplineOk;
  const HostArray<const double> tension(tensionData);
  const HostArray<const double> ya(yaData);
  const HostArray<const double> yb(ybData);
  const HostArray<const double> c(cData);
  const HostArray<const double> d(dData);

  const int32_t k = findInterval(x, n, t);
  const double h = x[k + 1] - x[k];
  const double u = (t - x[k]) / h;
  const double v = 1.0 - u;
  const ShapeFunctions shape(std::fabs(tension[k]));

  const double value = v * ya[k] + u * yb[k] + shape.value(v) * c[k] + shape.value(u) * d[k];
  if (deriv) *deriv = (yb[k] - ya[k] - c[k] * shape.slope(v) + d[k] * shape.slope(u)) / h;
  return value;
}

}  // namespace tamo
