// Derivative estimators, tension selectors and the array check of the exported C functions.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "material/auxiliary.h"
#include "material/spline.h"
#include "tamo1dkernel.h"

namespace {

TEST(Auxiliary, HarmonicDerivativesOfAParabola) {
  // y = x^2 at spacing h: inside 2x - h^2 / (2x); ends d(1)^2 (x3 - x1) / (y3 - y1).
  const double h = 0.5;
  std::vector<double> x, y;
  for (int i = 0; i < 7; ++i) {
    x.push_back(1.0 + h * i);
    y.push_back(x.back() * x.back());
  }
  std::vector<double> s(7, -1.0);
  int32_t ierr = -1;
  grad2r(7, x.data(), y.data(), s.data(), 1e-9, &ierr);
  EXPECT_EQ(ierr, 0);
  for (int i = 1; i < 6; ++i) EXPECT_NEAR(s[i], 2 * x[i] - h * h / (2 * x[i]), 1e-13) << i;
  EXPECT_NEAR(s[0], 2.5 * 2.5 * 1.0 / 3.0, 1e-13);  // secant 2.5 over [1, 1.5]
  EXPECT_NEAR(s[6], 7.5 * 7.5 * 1.0 / 7.0, 1e-13);  // secant 7.5 over [3.5, 4]

  // A point between neighbours of equal height is flat; too few points write nothing.
  const std::vector<double> xf = {0.0, 1.0, 2.0, 3.0}, yf = {0.0, 1.0, 0.0, 2.0};
  tamo::derivativesHarmonic(4, xf.data(), yf.data(), s.data(), 1e-9, &ierr);
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(s[1], 0.0);
  EXPECT_EQ(s[0], 0.0);  // |y(3) - y(1)| < eps
  std::vector<double> untouched(2, 42.0);
  tamo::derivativesHarmonic(2, xf.data(), yf.data(), untouched.data(), 1e-9, &ierr);
  EXPECT_EQ(ierr, 1);
  EXPECT_EQ(untouched, std::vector<double>(2, 42.0));
}

TEST(Auxiliary, ParabolicDerivativesAreExactForLinesAndParabolas) {
  // Uneven spacing: the three-point parabola reproduces lines and parabolas exactly.
  const std::vector<double> x = {-1.0, -0.2, 0.5, 1.75, 2.0, 4.0};
  std::vector<double> line, parabola;
  for (double v : x) {
    line.push_back(3.0 - 0.7 * v);
    parabola.push_back(v * v + 2.0 * v);  // increasing from x = -1 on
  }
  std::vector<double> s(6, 0.0);
  int32_t ierr = -1;
  grad2b(6, x.data(), line.data(), s.data(), 1e-9, &ierr);
  EXPECT_EQ(ierr, 0);
  for (double v : s) EXPECT_NEAR(v, -0.7, 1e-14);
  tamo::derivativesParabolic(6, x.data(), parabola.data(), s.data(), 1e-9, &ierr);
  // At x = -1 the exact slope 0 is kept (same sign rule allows 0).
  for (std::size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(s[i], 2 * x[i] + 2, 1e-12) << i;

  // A flat secant on either side makes the point flat.
  const std::vector<double> xs = {0.0, 1.0, 2.0, 3.0, 4.0}, ys = {0.0, 1.0, 1.0, 2.0, 4.0};
  tamo::derivativesParabolic(5, xs.data(), ys.data(), s.data(), 1e-9, &ierr);
  EXPECT_EQ(s[1], 0.0);
  EXPECT_EQ(s[2], 0.0);
  EXPECT_NEAR(s[3], 1.5, 1e-14);

  // End rule: an end estimate opposing its end secant becomes 0, otherwise it is kept; a
  // flat end secant gives 0 at that end. {y1, y2, y3, s1, s2, s3} at x = 0, 1, 2.
  const std::vector<double> x3 = {0.0, 1.0, 2.0};
  const double ends[][6] = {
      {0, 1, 5, 0.0, 2.5, 5.5}, {0, 4, 5, 5.5, 2.5, 0.0}, {1, 1, 3, 0.0, 0.0, 3.0}};
  for (const auto& e : ends) {
    tamo::derivativesParabolic(3, x3.data(), e, s.data(), 1e-9, &ierr);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(s[i], e[3 + i], 1e-14) << e[1] << " " << i;
  }
}

TEST(Auxiliary, TensionsFromInflections) {
  // n = 2: only the last-interval rule applies; t(2) keeps the base tension.
  std::vector<double> x2 = {0.0, 1.0}, y2 = {0.0, 1.0}, t = {20.0, -5.0};
  expjp(2, x2.data(), y2.data(), t.data(), 1e-9);
  EXPECT_EQ(t, (std::vector<double>{10.0, 20.0}));
  t = {0.5, -5.0};
  tamo::tensionsFromInflections(2, x2.data(), y2.data(), t.data(), 1e-9);
  EXPECT_EQ(t, (std::vector<double>{8.0, 1.0}));
  for (int32_t n : {1, 0}) {  // one point: 1; no point: nothing written
    t = {0.3};
    tamo::tensionsFromInflections(n, x2.data(), y2.data(), t.data(), 1e-9);
    EXPECT_EQ(t[0], n == 1 ? 1.0 : 0.3);
  }

  // y = x^3 at uneven points: the twice-applied harmonic estimate changes sign between
  // points 2 and 3 (hand-computed: -20.80, -4.995, 0.06499, 0.06390, 7.432, 18.39), so
  // interval 2 gets t0 = 4, the others t0 / 4, the last max(8, t0 / 2), t(6) = t0.
  const std::vector<double> x = {-2.0, -1.2, -0.3, 0.6, 1.5, 2.5};
  std::vector<double> y;
  for (double v : x) y.push_back(v * v * v);
  std::vector<double> tensions(6, 0.0);
  tensions[0] = 4.0;
  expjp(6, x.data(), y.data(), tensions.data(), 1e-9);
  EXPECT_EQ(tensions, (std::vector<double>{1.0, 4.0, 1.0, 1.0, 8.0, 4.0}));
}

// Tensions after expjp2 and the indicator it left.
struct ShapeResult {
  std::vector<double> tension;
  int32_t ierr;
};

ShapeResult raiseTensions(const std::vector<double>& x, const std::vector<double>& y, double start,
                          double s0, double sn, double tmax, double crit) {
  ShapeResult r{std::vector<double>(x.size(), 0.0), -1};
  r.tension[0] = start;
  r.tension[x.size() - 2] = s0;
  r.tension[x.size() - 1] = sn;
  expjp2(static_cast<int32_t>(x.size()), x.data(), y.data(), r.tension.data(), tmax, crit, &r.ierr);
  return r;
}

// pL * pR of the first interval for the spline built with the given tensions: the slopes
// between the probes at 1/10 and 2/10 and at 8/10 and 9/10 of the interval.
double endSlopeProduct(const std::vector<double>& x, const std::vector<double>& y,
                       const std::vector<double>& tension, double s0, double sn) {
  const auto n = static_cast<int32_t>(x.size());
  std::vector<double> b(x.size(), 0.0), c(x.size(), 0.0), d(x.size(), 0.0);
  b.front() = s0;
  b.back() = sn;
  int32_t ierr = -1;
  tamo::splineBuild(n, x.data(), y.data(), tension.data(), b.data(), c.data(), d.data(), 0.0,
                    &ierr);
  const auto f = [&](double t) {
    return tamo::splineValue(n, x.data(), tension.data(), y.data(), b.data(), c.data(), d.data(), t,
                             &ierr, nullptr);
  };
  const double h = (x[1] - x[0]) / 10.0;
  return (f(x[0] + 2 * h) - f(x[0] + h)) * (f(x[1] - h) - f(x[1] - 2 * h));
}

TEST(Auxiliary, TensionsByShape) {
  // A straight line with its own end slopes keeps its shape: all tensions max(0.1, t(1)).
  const std::vector<double> x = {0.0, 0.5, 1.5, 1.8, 3.0};
  std::vector<double> line;
  for (double v : x) line.push_back(1.0 + 2.0 * v);
  auto r = raiseTensions(x, line, 0.02, 2.0, 2.0, 50.0, 0.0);
  EXPECT_EQ(r.ierr, 0);
  EXPECT_EQ(r.tension, std::vector<double>(5, 0.1));

  // A line forced to start with slope -5: only the first interval's tension is raised, by whole
  // steps, to the first value at which the probes near its ends see slopes of the same sign.
  const std::vector<double> xs = {0.0, 1.0, 2.0, 3.0, 4.0};
  const std::vector<double> ys = {0.0, 1.0, 2.0, 3.0, 4.0};
  r = raiseTensions(xs, ys, 0.5, -5.0, 1.0, 50.0, 0.0);
  EXPECT_EQ(r.ierr, 0);
  EXPECT_EQ(r.tension[0], std::floor(r.tension[0]) + 0.5) << "raised by whole steps";
  for (std::size_t i = 1; i < xs.size(); ++i) EXPECT_EQ(r.tension[i], 0.5) << i;
  EXPECT_GE(endSlopeProduct(xs, ys, r.tension, -5.0, 1.0), 0.0);
  auto oneLess = r.tension;
  oneLess[0] -= 1.0;
  EXPECT_LT(endSlopeProduct(xs, ys, oneLess, -5.0, 1.0), 0.0);

  // Flat data with crit > 0 fail the tests everywhere: the passes stop once every raised
  // tension is beyond the cap max(20, min(tmax, 100)) = 20.
  const std::vector<double> flat(5, 1.0);
  r = raiseTensions(xs, flat, 0.1, 0.0, 0.0, 5.0, 1e-9);
  for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
    EXPECT_TRUE(r.tension[i] > 20.0 && r.tension[i] < 2 * 20.0 + 3.0) << r.tension[i];
  }

  // Fewer than three points: indicator 1, tensions untouched.
  std::vector<double> t2 = {5.0, 6.0};
  int32_t ierr = -1;
  expjp2(2, x.data(), line.data(), t2.data(), 50.0, 0.0, &ierr);
  EXPECT_EQ(ierr, 1);
  EXPECT_EQ(t2, (std::vector<double>{5.0, 6.0}));
  expjp2(5, x.data(), nullptr, t2.data(), 50.0, 0.0, &ierr);
  EXPECT_EQ(ierr, 2);
}

TEST(Auxiliary, TensionsByShapeProbeWithTheTensionsBeingRaised) {
  // Slope and curvature tests raise the same tension within one pass: the curvature probes
  // see the raised tension with the pass's coefficients (worked through pass by pass).
  const std::vector<double> x = {0.0, 1.25, 2.0, 4.25, 5.5};
  const std::vector<double> y = {1.3, 1.6, 1.4, 2.8, 2.1};
  const auto r = raiseTensions(x, y, 1.6, -3.3, 0.1, 30.0, 0.0);
  EXPECT_EQ(r.ierr, 0);
  const std::vector<double> expected = {11.6, 40.6, 30.6, 40.6, 1.6};
  for (std::size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(r.tension[i], expected[i], 1e-12) << i;
}

TEST(Auxiliary, InterfaceChecks) {
  // The flag conversions and the outputs of the array check are compared through the Python
  // and Java bindings; here the array check's refusals.
  const std::vector<double> a = {1.0, -2.5, 3.0}, b = {2.0, 4.0, -1.0}, c = {0.5, 0.25, 3.0};
  std::vector<double> o1(3, 0.0), o2(3, 0.0), o3(4, 9.0);
  int32_t ierr = -1;
  test(0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 1.0, &ierr);
  EXPECT_EQ(ierr, 0);
  test(3, a.data(), nullptr, c.data(), o1.data(), o2.data(), o3.data(), 6.5, &ierr);
  EXPECT_EQ(ierr, 2);
  ierr = -1;  // one missing output among present ones is refused too
  test(3, a.data(), b.data(), c.data(), o1.data(), nullptr, o3.data(), 6.5, &ierr);
  EXPECT_EQ(ierr, 2);
}

}  // namespace
