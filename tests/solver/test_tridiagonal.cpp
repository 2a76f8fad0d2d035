// Guarded tridiagonal solve against dense elimination, and its pivot guard.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "interface/context_table.h"
#include "model/context.h"
#include "model/one_based.h"
#include "solver/tridiagonal.h"
#include "tamo1dkernel.h"

namespace {

using tamo::HostArray;
using tamo::OneBased;

struct System {
  OneBased<double> a, b, c, d;  // lower, diagonal, upper, right-hand side
  std::vector<double> x;        // host array, x[0] is node 1
  explicit System(int n) : x(static_cast<std::size_t>(n), 0.0) {
    for (auto* v : {&a, &b, &c, &d}) v->assign(n, 0.0);
  }
};

// Dense Gaussian elimination with partial pivoting of the full system, boundary rows
// x_1 = x1 and x_n = xn included, as an independent reference.
std::vector<double> denseSolve(const System& s, int n, double x1, double xn) {
  std::vector<std::vector<double>> A(n, std::vector<double>(n + 1, 0.0));
  A[0][0] = 1.0;
  A[0][n] = x1;
  A[n - 1][n - 1] = 1.0;
  A[n - 1][n] = xn;
  for (int i = 2; i <= n - 1; ++i) {
    A[i - 1][i - 2] = -s.a[i];
    A[i - 1][i - 1] = s.b[i];
    A[i - 1][i] = -s.c[i];
    A[i - 1][n] = s.d[i];
  }
  for (int k = 0; k < n; ++k) {
    int p = k;
    for (int r = k + 1; r < n; ++r)
      if (std::fabs(A[r][k]) > std::fabs(A[p][k])) p = r;
    std::swap(A[k], A[p]);
    for (int r = k + 1; r < n; ++r) {
      const double f = A[r][k] / A[k][k];
      for (int col = k; col <= n; ++col) A[r][col] -= f * A[k][col];
    }
  }
  std::vector<double> x(n);
  for (int k = n - 1; k >= 0; --k) {
    double sum = A[k][n];
    for (int col = k + 1; col < n; ++col) sum -= A[k][col] * x[col];
    x[k] = sum / A[k][k];
  }
  return x;
}

TEST(TridiagonalSolve, MatchesDenseSolveAndKeepsBoundaryValues) {
  std::mt19937 rng(12345);
  std::uniform_real_distribution<double> coef(0.1, 2.0);
  std::uniform_real_distribution<double> rhs(-5.0, 5.0);
  for (int n : {2, 3, 4, 7, 50}) {
    for (bool dominant : {true, false}) {
      System s(n);
      // Garbage in the boundary rows: the solve must replace it.
      s.a[1] = 7.0, s.b[1] = -3.0, s.c[1] = 11.0, s.d[1] = 13.0;
      s.a[n] = 5.0, s.b[n] = 0.0, s.c[n] = -2.0, s.d[n] = 17.0;
      for (int i = 2; i <= n - 1; ++i) {
        s.a[i] = coef(rng);
        s.c[i] = coef(rng);
        // Non-dominant rows (small diagonal) still have non-zero pivots here.
        s.b[i] = dominant ? s.a[i] + s.c[i] + coef(rng) : 0.3 * coef(rng) + 0.05;
        s.d[i] = rhs(rng);
      }
      const double x1 = 20.5, xn = -3.25;
      for (auto& v : s.x) v = 99.0;
      s.x.front() = x1;
      s.x.back() = xn;
      const std::vector<double> ref = denseSolve(s, n, x1, xn);

      tamo::solveTridiagonal(n, s.c, s.b, s.a, s.d, HostArray<double>(s.x.data()));

      SCOPED_TRACE(testing::Message() << "n=" << n << " dominant=" << dominant);
      EXPECT_TRUE(s.x.front() == x1 && s.x.back() == xn);
      for (int i = 0; i < n; ++i) EXPECT_NEAR(s.x[i], ref[i], 1e-9 * (1.0 + std::fabs(ref[i])));
      // Boundary rows as fixed by the solve.
      EXPECT_TRUE(s.b[1] == 1.0 && s.c[1] == 0.0 && s.a[n] == 0.0 && s.b[n] == 1.0);
      // Eliminated form: x_n = d_n, x_i = c_i x_(i+1) + d_i.
      EXPECT_EQ(s.d[n], s.x[n - 1]);
      for (int i = n - 1; i >= 1; --i) EXPECT_EQ(s.x[i - 1], s.c[i] * s.x[i] + s.d[i]);
    }
  }
}

// One interior row b x_2 = d with no coupling: x_2 = d * guardedReciprocal(b).
double solveSingleRow(double b, double d) {
  System s(3);
  s.b[2] = b;
  s.d[2] = d;
  s.x = {1.0, 0.0, 2.0};
  tamo::solveTridiagonal(3, s.c, s.b, s.a, s.d, HostArray<double>(s.x.data()));
  return s.x[1];
}

TEST(TridiagonalSolve, GuardsSmallPivotsBySign) {
  // {pivot, reciprocal}: zero counts as positive; the bound 1e-25 itself divides.
  // Only a pivot of magnitude >= 1e-25 is inverted; one that does not compare fails both
  // the magnitude test and m >= 0, so it is guarded with -1e9 rather than inverted to NaN.
  const double cases[][2] = {{0.0, 1e9},           {-0.0, 1e9},          {9.9e-26, 1e9},
                             {-9.9e-26, -1e9},     {1e-25, 1.0 / 1e-25}, {-4.0, -0.25},
                             {std::nan(""), -1e9}, {-std::nan(""), -1e9}};
  for (const auto& c : cases) EXPECT_EQ(tamo::guardedReciprocal(c[0]), c[1]) << c[0];
  EXPECT_DOUBLE_EQ(solveSingleRow(std::nan(""), 3e-9), -3.0);
  EXPECT_DOUBLE_EQ(solveSingleRow(-1e-26, 3e-9), -3.0);
  EXPECT_DOUBLE_EQ(solveSingleRow(2e-25, 3e-9), 1.5e16);

  // A pivot that vanishes only after elimination: row 2 of
  //   x2 - x3 = 1,   -x2 + x3 = 0  (x1 = 0, x4 = 0)
  // gives m_3 = 1 - 1 = 0 in the forward sweep; the guard keeps the solve finite.
  System s(4);
  s.b[2] = 1.0, s.c[2] = 1.0, s.d[2] = 1.0;
  s.a[3] = 1.0, s.b[3] = 1.0, s.d[3] = 0.0;
  s.x = {0.0, 5.0, 5.0, 0.0};
  tamo::solveTridiagonal(4, s.c, s.b, s.a, s.d, HostArray<double>(s.x.data()));
  EXPECT_DOUBLE_EQ(s.d[3], 1e9);  // (a_3 d_2 + d_3) * 1e9 with d_2 = 1
  EXPECT_DOUBLE_EQ(s.x[2], 1e9);
  EXPECT_DOUBLE_EQ(s.x[1], 1e9 + 1.0);
}

}  // namespace
