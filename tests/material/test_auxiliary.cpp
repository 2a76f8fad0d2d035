// Derivative estimators, tension selectors and the interface checks, through the internal
// routines and the exported C functions.
#include <gtest/gtest.h>

#include <algorithm>
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

  // End rule: an end estimate opposing its end secant becomes 0, otherwise it is kept.
  const std::vector<double> x3 = {0.0, 1.0, 2.0};
  const std::vector<double> steepening = {0.0, 1.0, 5.0};  // start estimate 1 - 3/2 < 0
  tamo::derivativesParabolic(3, x3.data(), steepening.data(), s.data(), 1e-9, &ierr);
  EXPECT_EQ(s[0], 0.0);
  EXPECT_NEAR(s[2], 4.0 + 3.0 / 2.0, 1e-14);
  const std::vector<double> flattening = {0.0, 4.0, 5.0};  // end estimate 1 - 3/2 < 0
  tamo::derivativesParabolic(3, x3.data(), flattening.data(), s.data(), 1e-9, &ierr);
  EXPECT_EQ(s[2], 0.0);
  EXPECT_NEAR(s[0], 4.0 + 3.0 / 2.0, 1e-14);
  // A flat end secant gives 0 at that end.
  const std::vector<double> flatStart = {1.0, 1.0, 3.0};
  tamo::derivativesParabolic(3, x3.data(), flatStart.data(), s.data(), 1e-9, &ierr);
  EXPECT_EQ(s[0], 0.0);
  EXPECT_EQ(s[1], 0.0);
}

}  // namespace
