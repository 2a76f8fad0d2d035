// Derivative estimators and tension selectors for the spline under tension.
#include "material/auxiliary.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "material/spline.h"
#include "model/one_based.h"

namespace tamo {

namespace {

// Base tension never below this in the inflection rule (-).
constexpr double kMinBaseTension = 1.0;
// Tension of the last interval at least this in the inflection rule (-).
constexpr double kMinLastTension = 8.0;
// Start tension never below this when raising tensions by shape (-).
constexpr double kMinStartTension = 0.1;
// The cap up to which tensions are raised lies in [kMinCap, kMaxCap] (-).
constexpr double kMinCap = 20.0;
constexpr double kMaxCap = 100.0;

// Secant slope of interval i and its length over 1-based views of the points.
struct Secants {
  HostArray<const double> x;
  HostArray<const double> y;
  double slope(int32_t i) const { return (y[i + 1] - y[i]) / (x[i + 1] - x[i]); }
  double length(int32_t i) const { return x[i + 1] - x[i]; }
};

// Value and first derivative of a built spline (x, tension, ya = y, yb, c, d).
struct BuiltSpline {
  int32_t n;
  const double* x;
  const double* tension;
  const double* ya;
  const double* yb;
  const double* c;
  const double* d;
  int32_t* ierr;  // receives the indicator of every evaluation

  double value(double t) const {
    return splineValue(n, x, tension, ya, yb, c, d, t, ierr, nullptr);
  }
  // 0 where the evaluation falls outside the curve.
  double slope(double t) const {
    double derivative = 0.0;
    splineValue(n, x, tension, ya, yb, c, d, t, ierr, &derivative);
    return derivative;
  }
};

}  // namespace

void derivativesHarmonic(int32_t n, const double* xData, const double* yData, double* sData,
                         double eps, int32_t* ierr) {
  if (n < 3) {
    *ierr = kSplineTooFewPoints;
    return;
  }
  *ierr = kSplineOk;
  const HostArray<const double> x(xData);
  const HostArray<const double> y(yData);
  const HostArray<double> s(sData);
  const Secants secant{x, y};

  const double d1 = secant.slope(1);
  s[1] = harmonicDerivative(d1, d1, x[3] - x[1], y[3] - y[1], eps);
  for (int32_t i = 2; i <= n - 1; ++i) {
    s[i] = harmonicDerivative(secant.slope(i - 1), secant.slope(i), x[i + 1] - x[i - 1],
                              y[i + 1] - y[i - 1], eps);
  }
  const double dLast = secant.slope(n - 1);
  s[n] = harmonicDerivative(dLast, dLast, x[n] - x[n - 2], y[n] - y[n - 2], eps);
}

void derivativesParabolic(int32_t n, const double* xData, const double* yData, double* sData,
                          double eps, int32_t* ierr) {
  if (n < 3) {
    *ierr = kSplineTooFewPoints;
    return;
  }
  *ierr = kSplineOk;
  const HostArray<const double> x(xData);
  const HostArray<const double> y(yData);
  const HostArray<double> s(sData);
  const Secants secant{x, y};

  // End value of the parabola through the end point and its two neighbours; 0 when it
  // opposes the end secant (no overshoot beyond the data).
  const auto endDerivative = [eps](double dEnd, double dNext, double hEnd, double span) {
    if (std::fabs(dEnd) < eps) return 0.0;
    const double e = dEnd + (dEnd - dNext) * hEnd / span;
    return dEnd * e >= 0.0 ? e : 0.0;
  };

  s[1] = endDerivative(secant.slope(1), secant.slope(2), secant.length(1), x[3] - x[1]);
  for (int32_t i = 2; i <= n - 1; ++i) {
    const double dLeft = secant.slope(i - 1);
    const double dRight = secant.slope(i);
    if (std::fabs(dLeft) < eps || std::fabs(dRight) < eps) {
      s[i] = 0.0;
    } else {
      s[i] = (dLeft * secant.length(i) + dRight * secant.length(i - 1)) / (x[i + 1] - x[i - 1]);
    }
  }
  s[n] = endDerivative(secant.slope(n - 1), secant.slope(n - 2), secant.length(n - 1),
                       x[n] - x[n - 2]);
}

void tensionsFromInflections(int32_t n, const double* xData, const double* yData, double* tData,
                             double eps) {
  if (n <= 0) return;
  const HostArray<double> t(tData);
  const double t0 = std::max(kMinBaseTension, t[1]);
  const double q = 0.25 * t0;

  // Second derivative estimate at the points: the harmonic estimate applied twice.
  OneBased<double> slope;      // dy/dx at the points, n entries
  OneBased<double> curvature;  // d2y/dx2 at the points, n entries
  if (n >= 3) {
    slope.assign(static_cast<std::size_t>(n), 0.0);
    curvature.assign(static_cast<std::size_t>(n), 0.0);
    int32_t ignored = 0;
    derivativesHarmonic(n, xData, yData, slope.data1(), eps, &ignored);
    derivativesHarmonic(n, xData, slope.data1(), curvature.data1(), eps, &ignored);
  }

  for (int32_t i = 1; i <= n; ++i) t[i] = t0;
  for (int32_t i = 1; i <= n - 1; ++i) {
    const bool inflection = n >= 3 && curvature[i] * curvature[i + 1] < 0.0;
    t[i] = inflection ? t0 : q;
  }
  if (n >= 2) t[n - 1] = std::max(kMinLastTension, 0.5 * t0);
}

void tensionsByShape(int32_t n, const double* xData, const double* yData, double* tData,
                     double tmax, double crit, int32_t* ierr) {
  if (n < 3) {
    *ierr = kSplineTooFewPoints;
    return;
  }
  // Work arrays first: an allocation failure leaves t as the caller passed it.
  const auto size = static_cast<std::size_t>(n);
  OneBased<double> b;  // end derivatives in, right-end values out; n entries
  OneBased<double> c;  // shape coefficients, n entries (n-1 used)
  OneBased<double> d;  // shape coefficients, n entries (n-1 used)
  b.assign(size, 0.0);
  c.assign(size, 0.0);
  d.assign(size, 0.0);

  const HostArray<const double> x(xData);
  const HostArray<double> t(tData);
  const double startDerivative = t[n - 1];  // required dy/dx at x(1)
  const double endDerivative = t[n];        // required dy/dx at x(n)

  const double ts = std::max(kMinStartTension, t[1]);
  for (int32_t i = 1; i <= n; ++i) t[i] = ts;
  const double tc = std::max(kMinCap, std::min(tmax, kMaxCap));
  // The probes read the tensions from t itself: a tension raised earlier in a pass already
  // acts on the later probes of that pass (with the coefficients of the pass's build).
  const BuiltSpline spline{n, xData, tData, yData, b.data1(), c.data1(), d.data1(), ierr};

  bool raised = true;
  while (raised) {
    // Every build starts from the required end derivatives (the previous build left
    // b(1) = y(2)) and the current tensions.
    b[1] = startDerivative;
    b[n] = endDerivative;
    splineBuild(n, xData, yData, tData, b.data1(), c.data1(), d.data1(), crit, ierr);
    if (*ierr != kSplineOk) break;

    raised = false;
    for (int32_t i = 1; i <= n - 1; ++i) {
      const double a = x[i];
      const double e = x[i + 1];
      const double h = (e - a) / 10.0;

      // Slope test: the curve should not turn back inside the interval.
      const double fLeftOuter = spline.value(a + 2.0 * h);
      const double fLeftInner = spline.value(a + h);
      const double fRightInner = spline.value(e - h);
      const double fRightOuter = spline.value(e - 2.0 * h);
      const double pL = (fLeftOuter - fLeftInner) / (2.0 * h);
      const double pR = (fRightInner - fRightOuter) / (2.0 * h);
      if (pL * pR < crit) {
        t[i] = t[i] + 1.0;
        raised = raised || (t[i] <= tc);
      }

      // Curvature test around the point x(i): the curve should not wiggle across it.
      if (i >= 2) {
        const double gLeftInner = spline.slope(a - h);
        const double gLeftOuter = spline.slope(a - 2.0 * h);
        const double gRightOuter = spline.slope(a + 2.0 * h);
        const double gRightInner = spline.slope(a + h);
        const double cL = (gLeftInner - gLeftOuter) / (2.0 * h);
        const double cR = (gRightOuter - gRightInner) / (2.0 * h);
        if (cL * cR < crit) {
          t[i] = t[i] + 1.0;
          raised = raised || (t[i] <= tc);
        }
      }
    }
  }
}

}  // namespace tamo
