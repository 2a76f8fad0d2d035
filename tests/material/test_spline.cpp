// Spline under tension: interpolation, C1 continuity and the limits of large and small tension.
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
    b = c = d = std::vector<double>(n, 0.0);
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

  // The derivative agrees with a central difference of the value, away from the switch of
  // the shape functions to their series form (w tau = 0.1), where the value may step.
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
}

TEST(Spline, TwoPointsGiveTheCurveOfTheEndSlopesWithTheFewPointsIndicator) {
  const Curve two({0.0, 2.0}, {1.0, 3.0}, {0.0, 0.0}, 0.5, -1.0);
  EXPECT_EQ(two.ierr, tamo::kSplineTooFewPoints);
  const Hermite cubic{0.0, 2.0, 1.0, 3.0, 0.5, -1.0};
  for (double t : {0.3, 1.0, 1.7}) {
    EXPECT_NEAR(two.value(t), cubic.value(t), 1e-13) << t;
    EXPECT_NEAR(two.slope(t), cubic.slope(t), 1e-12) << t;
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

}  // namespace
