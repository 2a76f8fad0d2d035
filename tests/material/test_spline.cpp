// Spline under tension: interpolation, C1 continuity, the build's point derivatives, the
// tension limits (polygon and cubic Hermite), range handling and the shared search start.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <thread>
#include <utility>
#include <vector>

#include "material/spline.h"
#include "tamo1dkernel.h"

namespace {

// A built curve with its own copies of the arrays (0-based storage, n points).
struct Curve {
  std::vector<double> x, y, tension, b, c, d;
  int32_t ierr = -99;

  Curve(std::vector<double> xs, std::vector<double> ys, std::vector<double> tensions,
        double startDerivative, double endDerivative, double eps = 1e-12)
      : x(std::move(xs)), y(std::move(ys)), tension(std::move(tensions)) {
    const auto n = x.size();
    b.assign(n, 0.0);
    c.assign(n, 0.0);
    d.assign(n, 0.0);
    b.front() = startDerivative;
    b.back() = endDerivative;
    tamo::splineBuild(n32(), x.data(), y.data(), tension.data(), b.data(), c.data(), d.data(), eps,
                      &ierr);
  }
  int32_t n32() const { return static_cast<int32_t>(x.size()); }
  double value(double t, int32_t* err = nullptr, double* deriv = nullptr) const {
    int32_t local = -99;
    return tamo::splineValue(n32(), x.data(), tension.data(), y.data(), b.data(), c.data(),
                             d.data(), t, err ? err : &local, deriv);
  }
  double slope(double t) const {
    double s = std::numeric_limits<double>::quiet_NaN();
    value(t, nullptr, &s);
    return s;
  }
};

// Cubic Hermite curve on [x0, x1] with values y0, y1 and derivatives m0, m1.
struct Hermite {
  double x0, x1, y0, y1, m0, m1;
  double value(double t) const {
    const double h = x1 - x0, s = (t - x0) / h;
    const double h00 = 2 * s * s * s - 3 * s * s + 1, h10 = s * s * s - 2 * s * s + s;
    const double h01 = -2 * s * s * s + 3 * s * s, h11 = s * s * s - s * s;
    return h00 * y0 + h10 * h * m0 + h01 * y1 + h11 * h * m1;
  }
  double slope(double t) const {
    const double h = x1 - x0, s = (t - x0) / h;
    return ((6 * s * s - 6 * s) * y0 + (3 * s * s - 4 * s + 1) * h * m0 +
            (-6 * s * s + 6 * s) * y1 + (3 * s * s - 2 * s) * h * m1) /
           h;
  }
};

const std::vector<double> kX = {0.0, 0.7, 1.5, 2.0, 3.2, 4.0};
const std::vector<double> kY = {1.0, 2.5, 2.0, 3.5, 3.4, 0.5};
const double kStartSlope = 0.8;
const double kEndSlope = -1.2;

// Point derivatives the build must use: the ends as given, inside the weighted harmonic
// mean (h1 + h2) / (h1 / s2 + h2 / s1) of the neighbouring secants.
std::vector<double> expectedPointSlopes(const std::vector<double>& x, const std::vector<double>& y,
                                        double s0, double sn) {
  std::vector<double> s(x.size());
  s.front() = s0;
  s.back() = sn;
  for (std::size_t i = 1; i + 1 < x.size(); ++i) {
    const double h1 = x[i] - x[i - 1], h2 = x[i + 1] - x[i];
    const double s1 = (y[i] - y[i - 1]) / h1, s2 = (y[i + 1] - y[i]) / h2;
    s[i] = (h1 + h2) / (h1 / s2 + h2 / s1);
  }
  return s;
}

TEST(Spline, InterpolatesWithContinuousSlopesMatchingThePointDerivatives) {
  // Tensions on both sides of the series threshold 0.1 and up to a stiff interval.
  const Curve curve(kX, kY, {0.05, 1.0, 3.0, 0.1, 10.0}, kStartSlope, kEndSlope);
  ASSERT_EQ(curve.ierr, 0);
  const auto S = expectedPointSlopes(kX, kY, kStartSlope, kEndSlope);

  for (std::size_t i = 0; i < kX.size(); ++i) {
    int32_t err = -1;
    EXPECT_DOUBLE_EQ(curve.value(kX[i], &err), kY[i]) << "point " << i + 1;
    EXPECT_EQ(err, 0);
    const double delta = 1e-7;
    if (i > 0) {
      EXPECT_NEAR(curve.slope(kX[i] - delta), S[i], 1e-5) << "left of point " << i + 1;
    }
    if (i + 1 < kX.size()) {
      EXPECT_NEAR(curve.slope(kX[i] + delta), S[i], 1e-5) << "right of point " << i + 1;
    }
    EXPECT_NEAR(curve.slope(kX[i]), S[i], 1e-9) << "at point " << i + 1;
  }
  // The right-end values of the intervals are the next ordinates; b(n) keeps its input.
  for (std::size_t i = 0; i + 1 < kX.size(); ++i) EXPECT_EQ(curve.b[i], kY[i + 1]);
  EXPECT_EQ(curve.b.back(), kEndSlope);

  // The derivative agrees with a central difference of the value everywhere inside, away
  // from the points where the shape functions switch to their series form (w tau = 0.1),
  // where the value may step by ~1e-8 relative for tensions well above 0.1.
  const std::vector<double> tensions = {0.05, 1.0, 3.0, 0.1, 10.0};
  for (double t = 0.013; t < 4.0; t += 0.071) {
    const std::size_t k = std::upper_bound(kX.begin(), kX.end(), t) - kX.begin() - 1;
    const double u = (t - kX[k]) / (kX[k + 1] - kX[k]);
    if (std::fabs(u * tensions[k] - 0.1) < 1e-3 || std::fabs((1 - u) * tensions[k] - 0.1) < 1e-3) {
      continue;
    }
    const double h = 1e-6;
    const double difference = (curve.value(t + h) - curve.value(t - h)) / (2 * h);
    EXPECT_NEAR(curve.slope(t), difference, 2e-6 * (1.0 + std::fabs(difference))) << t;
  }

  // svald without a derivative gives the same value as sval.
  int32_t e1 = -1, e2 = -1;
  const double withDeriv = curve.value(2.345, &e1);
  double dummy = 0.0;
  const double withoutDeriv = curve.value(2.345, &e2, &dummy);
  EXPECT_EQ(withDeriv, withoutDeriv);
}

TEST(Spline, FlatPointGetsZeroSlopeAndNegativeTensionEqualsPositive) {
  // Neighbours of point 2 have equal y: a local extremum gets a horizontal tangent.
  const Curve flat({0.0, 1.0, 3.0, 4.0}, {1.0, 2.0, 1.0, 0.0}, {2.0, 2.0, 2.0}, 0.5, -1.0);
  EXPECT_EQ(flat.ierr, 0);
  EXPECT_NEAR(flat.slope(1.0), 0.0, 1e-14);
  EXPECT_NEAR(flat.slope(1.0 + 1e-9), 0.0, 1e-7);

  // Only the magnitude of the tension counts, across every branch of the formulas.
  for (double tau : {0.0, 5e-5, 1e-3, 0.08, 0.5, 7.0, 60.0}) {
    const Curve plus(kX, kY, std::vector<double>(5, tau), kStartSlope, kEndSlope);
    const Curve minus(kX, kY, std::vector<double>(5, -tau), kStartSlope, kEndSlope);
    for (double t = 0.0; t <= 4.0; t += 0.13) {
      EXPECT_EQ(plus.value(t), minus.value(t)) << tau << " " << t;
      EXPECT_EQ(plus.slope(t), minus.slope(t)) << tau << " " << t;
    }
  }
}

TEST(Spline, LargeTensionApproachesThePolygon) {
  const auto S = expectedPointSlopes(kX, kY, kStartSlope, kEndSlope);
  double previousWorst = std::numeric_limits<double>::infinity();
  for (double tau : {10.0, 50.0, 500.0}) {
    const Curve curve(kX, kY, std::vector<double>(5, tau), kStartSlope, kEndSlope);
    double worst = 0.0;
    for (std::size_t i = 0; i + 1 < kX.size(); ++i) {
      const double h = kX[i + 1] - kX[i];
      const double mid = 0.5 * (kX[i] + kX[i + 1]);
      const double deviation = curve.value(mid) - 0.5 * (kY[i] + kY[i + 1]);
      // Leading order: -(h / 2) (S(i+1) - S(i)) / (tau - 1).
      EXPECT_LE(std::fabs(deviation), h * std::fabs(S[i + 1] - S[i]) / tau) << tau << " " << i;
      worst = std::max(worst, std::fabs(deviation));
      // Still the point derivatives at the ends of a stiff interval.
      EXPECT_NEAR(curve.slope(kX[i]), S[i], 1e-8 * tau);
    }
    EXPECT_LT(worst, previousWorst);
    previousWorst = worst;
  }
  EXPECT_LT(previousWorst, 5e-3);
}

TEST(Spline, SmallAndZeroTensionApproachTheCubicHermiteCurve) {
  const auto S = expectedPointSlopes(kX, kY, kStartSlope, kEndSlope);
  // 0 and 1e-9 (t^3 / 6 vanishes against t) take the form with t^3 divided out; from
  // about 1e-7 on the hyperbolic quotients themselves are used, whose sinh t - t loses
  // digits to cancellation at small tensions (about 1e-6 relative at 5e-5).
  const std::vector<std::pair<double, double>> tensionAndTolerance = {
      {0.0, 1e-13},  {1e-9, 1e-13}, {-2e-9, 1e-13}, {5e-5, 1e-5},
      {-5e-5, 1e-5}, {1e-3, 1e-6},  {0.05, 2e-3}};
  for (const auto& [tau, tolerance] : tensionAndTolerance) {
    const Curve curve(kX, kY, std::vector<double>(5, tau), kStartSlope, kEndSlope);
    for (std::size_t i = 0; i + 1 < kX.size(); ++i) {
      const Hermite cubic{kX[i], kX[i + 1], kY[i], kY[i + 1], S[i], S[i + 1]};
      for (double s = 0.05; s < 1.0; s += 0.1) {
        const double t = kX[i] + s * (kX[i + 1] - kX[i]);
        EXPECT_NEAR(curve.value(t), cubic.value(t), tolerance) << tau << " at " << t;
        EXPECT_NEAR(curve.slope(t), cubic.slope(t), 20 * tolerance) << tau << " at " << t;
      }
    }
  }
}

TEST(Spline, NoJumpAcrossTheBranchThresholds) {
  // The curve must not change visibly where the evaluation switches between the series
  // and the hyperbolic forms.
  for (double threshold : {0.1}) {
    const Curve below(kX, kY, std::vector<double>(5, threshold * (1 - 1e-9)), kStartSlope,
                      kEndSlope);
    const Curve above(kX, kY, std::vector<double>(5, threshold * (1 + 1e-9)), kStartSlope,
                      kEndSlope);
    for (double t = 0.0; t <= 4.0; t += 0.0625) {
      EXPECT_NEAR(below.value(t), above.value(t), 1e-7) << threshold << " " << t;
      EXPECT_NEAR(below.slope(t), above.slope(t), 1e-5) << threshold << " " << t;
    }
  }
  // Inside an interval of tension 2 the argument w * tau crosses 0.1 at w = 0.05; the
  // truncated series P(tau^2) makes a step of about 1e-8 relative there.
  const Curve curve(kX, kY, std::vector<double>(5, 2.0), kStartSlope, kEndSlope);
  const double cross = kX[0] + 0.05 * (kX[1] - kX[0]);
  EXPECT_NEAR(curve.value(cross * (1 - 1e-12)), curve.value(cross * (1 + 1e-12)), 1e-8);
  EXPECT_NEAR(curve.slope(cross * (1 - 1e-12)), curve.slope(cross * (1 + 1e-12)), 1e-7);
}

TEST(Spline, SmallTensionUsesTheHyperbolicQuotientsAsLongAsTheyAreDefined) {
  // A tension of 1e-5 is small, but sinh t - t = t^3 / 6 still survives in double
  // precision: the coefficients and the derivative come from the quotients
  // A = (t ch - sh) / (sh - t) and G(w) = (t cosh(w t) - sinh t) / (sinh t - t) with the
  // series for sinh and cosh, not from a rearranged cubic form.
  const auto P = [](double z) {
    return 1.0 / 6.0 + z / 120.0 + z * z / 5040.0 + z * z * z / 362880.0;
  };
  const auto Q = [](double z) {
    return 1.0 / 2.0 + z / 24.0 + z * z / 720.0 + z * z * z / 40320.0;
  };
  for (double tau : {1e-5, 3e-6, 2e-7}) {
    const Curve curve({0.0, 2.0}, {1.0, 4.0}, {tau, 0.0}, 0.5, -1.0);
    EXPECT_EQ(curve.ierr, 1);  // two points: built from the end derivatives alone
    const double sh = tau + tau * tau * tau * P(tau * tau);
    const double ch = 1.0 + tau * tau * Q(tau * tau);
    const double A = (tau * ch - sh) / (sh - tau);
    const double h = 2.0, delta = (4.0 - 1.0) / h;
    const double R = h * (-1.0 - delta), L = h * (0.5 - delta);
    const double c = -(L + R / A) / (A - 1.0 / A);
    const double d = (R - c) / A;
    EXPECT_EQ(curve.c[0], c) << tau;
    EXPECT_EQ(curve.d[0], d) << tau;

    const double u = 0.25, v = 0.75;
    const double sinhTau = tau * (1.0 + tau * tau * P(tau * tau));
    const auto G = [&](double w) {
      const double wt = w * tau;
      return (tau * (1.0 + wt * wt * Q(wt * wt)) - sinhTau) / (sinhTau - tau);
    };
    const auto F = [&](double w) {
      const double wt = w * tau;
      return w * (w * w * P(wt * wt) / P(tau * tau) - 1.0);
    };
    double slope = 0.0;
    int32_t err = -1;
    const double value = curve.value(0.5, &err, &slope);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(value, v * 1.0 + u * 4.0 + F(v) * c + F(u) * d) << tau;
    EXPECT_EQ(slope, (4.0 - 1.0 - c * G(v) + d * G(u)) / h) << tau;
  }
}

TEST(Spline, RangeAndPointCountHandling) {
  const Curve curve(kX, kY, std::vector<double>(5, 1.0), kStartSlope, kEndSlope);
  for (double t : {std::nextafter(0.0, -1.0), std::nextafter(4.0, 5.0), -10.0, 10.0,
                   std::numeric_limits<double>::quiet_NaN()}) {
    int32_t err = -1;
    double deriv = 123.0;
    EXPECT_EQ(curve.value(t, &err, &deriv), 0.0);
    EXPECT_EQ(err, 3);
    EXPECT_EQ(deriv, 123.0) << "derivative untouched outside the curve";
  }
  int32_t err = -1;
  EXPECT_EQ(curve.value(4.0, &err), kY.back());
  EXPECT_EQ(err, 0);
  EXPECT_EQ(curve.value(0.0, &err), kY.front());
  EXPECT_EQ(err, 0);

  // One point: nothing written, indicator 1, value 0.
  double x1 = 1.0, y1 = 2.0, t1 = 1.0, b1 = 7.0, c1 = 8.0, d1 = 9.0;
  int32_t ierr = -1;
  tamo::splineBuild(1, &x1, &y1, &t1, &b1, &c1, &d1, 1e-9, &ierr);
  EXPECT_EQ(ierr, 1);
  EXPECT_EQ(b1, 7.0);
  EXPECT_EQ(c1, 8.0);
  EXPECT_EQ(d1, 9.0);
  double deriv = 5.0;
  EXPECT_EQ(tamo::splineValue(1, &x1, &t1, &y1, &b1, &c1, &d1, 1.0, &ierr, &deriv), 0.0);
  EXPECT_EQ(ierr, 1);
  EXPECT_EQ(deriv, 5.0);
  tamo::splineBuild(0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 1e-9, &ierr);
  EXPECT_EQ(ierr, 1);

  // Two points: built from the given end derivatives alone, indicator 1; it evaluates.
  const Curve two({1.0, 3.0}, {2.0, -1.0}, {0.0, 0.0}, 0.5, 4.0);
  EXPECT_EQ(two.ierr, 1);
  EXPECT_EQ(two.b[0], -1.0);
  EXPECT_EQ(two.b[1], 4.0);
  const Hermite cubic{1.0, 3.0, 2.0, -1.0, 0.5, 4.0};
  for (double t = 1.0; t <= 3.0; t += 0.25) {
    EXPECT_NEAR(two.value(t, &err), cubic.value(t), 1e-13);
    EXPECT_EQ(err, 0);
  }
  EXPECT_NEAR(two.slope(1.0), 0.5, 1e-13);
  EXPECT_NEAR(two.slope(3.0), 4.0, 1e-13);
}

// Values and slopes at the given arguments, evaluated in the given order.
std::vector<double> sample(const Curve& curve, const std::vector<double>& ts) {
  std::vector<double> out;
  out.reserve(2 * ts.size());
  for (double t : ts) {
    double s = 0.0;
    out.push_back(curve.value(t, nullptr, &s));
    out.push_back(s);
  }
  return out;
}

TEST(Spline, SharedSearchStartNeverChangesResults) {
  std::vector<double> xs, ys;
  for (int i = 0; i < 40; ++i) {
    xs.push_back(0.1 * i + 0.001 * i * i);
    ys.push_back(std::sin(0.4 * i));
  }
  const Curve big(xs, ys, std::vector<double>(40, 1.5), 0.0, 0.3);
  const Curve small({0.0, 1.0, 2.0}, {0.0, 1.0, 0.5}, {2.0, 2.0, 2.0}, 1.0, 0.0);

  std::vector<double> bigArgs, smallArgs;
  for (int i = 0; i <= 2000; ++i)
    bigArgs.push_back(xs.front() + (xs.back() - xs.front()) * i / 2000.0);
  for (int i = 0; i <= 500; ++i) smallArgs.push_back(2.0 * i / 500.0);
  const auto bigReference = sample(big, bigArgs);
  const auto smallReference = sample(small, smallArgs);

  // A start left at 3 by the big curve equals the small curve's point count: it must be
  // reset, not used as an interval (which would read x(4) of a 3-point curve).
  big.value(xs.front());
  big.value(0.5 * (xs[2] + xs[3]));
  EXPECT_EQ(small.value(2.0), 0.5);
  EXPECT_EQ(small.value(2.0), 0.5);

  // Out of order, and interleaved with a curve of fewer points (stale large start index).
  std::vector<std::size_t> order(bigArgs.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::shuffle(order.begin(), order.end(), std::mt19937(7));
  for (std::size_t j = 0; j < order.size(); ++j) {
    const std::size_t i = order[j];
    double s = 0.0;
    EXPECT_EQ(big.value(bigArgs[i], nullptr, &s), bigReference[2 * i]);
    EXPECT_EQ(s, bigReference[2 * i + 1]);
    const std::size_t k = j % smallArgs.size();
    EXPECT_EQ(small.value(smallArgs[k]), smallReference[2 * k]);
  }

  // Two threads sweeping different curves in opposite directions at the same time.
  std::vector<double> bigBackwards(bigArgs.rbegin(), bigArgs.rend());
  std::vector<double> fromBig, fromSmall;
  std::thread first([&] {
    for (int pass = 0; pass < 20; ++pass) fromBig = sample(big, bigBackwards);
  });
  std::thread second([&] {
    for (int pass = 0; pass < 80; ++pass) fromSmall = sample(small, smallArgs);
  });
  first.join();
  second.join();
  for (std::size_t i = 0; i < bigArgs.size(); ++i) {
    const std::size_t r = bigArgs.size() - 1 - i;
    ASSERT_EQ(fromBig[2 * i], bigReference[2 * r]);
    ASSERT_EQ(fromBig[2 * i + 1], bigReference[2 * r + 1]);
  }
  EXPECT_EQ(fromSmall, smallReference);
}

TEST(Spline, ExportedRoutinesAndTheirGuards) {
  std::vector<double> b(kX.size(), 0.0), c(kX.size(), 0.0), d(kX.size(), 0.0);
  const std::vector<double> tension(kX.size(), 2.0);
  b.front() = kStartSlope;
  b.back() = kEndSlope;
  int32_t ierr = -1;
  sbuild(6, kX.data(), kY.data(), tension.data(), b.data(), c.data(), d.data(), 1e-12, &ierr);
  EXPECT_EQ(ierr, 0);
  const Curve internal(kX, kY, tension, kStartSlope, kEndSlope);
  EXPECT_EQ(c, internal.c);
  EXPECT_EQ(d, internal.d);

  double deriv = 0.0;
  const double viaSvald = svald(6, kX.data(), tension.data(), kY.data(), b.data(), c.data(),
                                d.data(), 1.7, &ierr, &deriv);
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(viaSvald, internal.value(1.7));
  EXPECT_EQ(deriv, internal.slope(1.7));
  EXPECT_EQ(sval(6, kX.data(), tension.data(), kY.data(), b.data(), c.data(), d.data(), 1.7, &ierr),
            viaSvald);
  EXPECT_EQ(svald(6, kX.data(), tension.data(), kY.data(), b.data(), c.data(), d.data(), 1.7, &ierr,
                  nullptr),
            viaSvald);
  EXPECT_EQ(sval(6, kX.data(), tension.data(), kY.data(), b.data(), c.data(), d.data(), 4.5, &ierr),
            0.0);
  EXPECT_EQ(ierr, 3);

  // A null array reports 2 and writes nothing; a null indicator makes the call a no-op.
  const auto cBefore = c;
  sbuild(6, kX.data(), nullptr, tension.data(), b.data(), c.data(), d.data(), 1e-12, &ierr);
  EXPECT_EQ(ierr, 2);
  EXPECT_EQ(c, cBefore);
  sbuild(6, kX.data(), kY.data(), tension.data(), b.data(), c.data(), d.data(), 1e-12, nullptr);
  EXPECT_EQ(c, cBefore);
  EXPECT_EQ(sval(6, kX.data(), tension.data(), kY.data(), nullptr, c.data(), d.data(), 1.7, &ierr),
            0.0);
  EXPECT_EQ(ierr, 2);
  EXPECT_EQ(
      sval(6, kX.data(), tension.data(), kY.data(), b.data(), c.data(), d.data(), 1.7, nullptr),
      0.0);
  // n < 2 needs no arrays.
  sbuild(1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0.0, &ierr);
  EXPECT_EQ(ierr, 1);
  EXPECT_EQ(sval(0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0.0, &ierr), 0.0);
  EXPECT_EQ(ierr, 1);
}

}  // namespace
