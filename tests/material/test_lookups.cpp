// Row-table lookups: end rules and exact interpolation of the curves they represent.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "material/lookups.h"

namespace {

using tamo::PairTable;
using tamo::TripleTable;

PairTable pairs(std::vector<double> xs, std::vector<double> ys) {
  PairTable t;
  t.resize(static_cast<int>(xs.size()));
  for (int i = 1; i <= t.rows(); ++i) t.x(i) = xs[i - 1], t.y(i) = ys[i - 1];
  return t;
}

TEST(RowSearch, BracketsArgumentAndClampsToEndRows) {
  // Every bracket of a long table, at a row and between rows; beyond both ends the end rows.
  PairTable t;
  t.resize(37);
  for (int i = 1; i <= 37; ++i) t.x(i) = 0.5 * i * i;
  for (int i = 1; i <= 36; ++i) {
    EXPECT_EQ(tamo::searchRows(t, 37, 0.5 * (t.x(i) + t.x(i + 1))), i);
    EXPECT_EQ(tamo::searchRows(t, 37, t.x(i)), i);
  }
  EXPECT_EQ(tamo::searchRows(t, 37, -3.0), 1);
  EXPECT_EQ(tamo::searchRows(t, 37, t.x(37)), 36);  // at the last x: n-1
  EXPECT_EQ(tamo::searchRows(t, 37, 1e9), 36);
  // only the first n rows take part
  EXPECT_EQ(tamo::searchRows(t, 3, 100.0), 2);
  EXPECT_EQ(tamo::searchRows(t, 1, 100.0), 1);
  EXPECT_EQ(tamo::searchRows(t, 0, 100.0), 1);
}

TEST(LookupClamped, LinearInsideHeldConstantOutside) {
  const PairTable t = pairs({1, 3, 7}, {10, 20, 0});
  const double at[][2] = {{-100, 10}, {1, 10}, {2, 15}, {3, 20}, {6, 5}, {7, 0}, {70, 0}};
  for (const auto& p : at) EXPECT_DOUBLE_EQ(tamo::lookupClamped(t, p[0]), p[1]) << p[0];
  for (double x : {-1.0, 9.0}) EXPECT_DOUBLE_EQ(tamo::lookupClamped(pairs({5}, {2.5}), x), 2.5);
  EXPECT_DOUBLE_EQ(tamo::lookupClamped(PairTable{}, 1.0), 0.0);
}

TEST(LookupLogCapped, ExactOnExponentialAndCappedAtLastValue) {
  // y = 2^x sampled at uneven points: logarithmic interpolation reproduces it exactly; below
  // the first x the first pair is extended in logarithmic form (no clamp).
  const PairTable t = pairs({0, 1, 3, 6}, {1, 2, 8, 64});
  for (double x : {-10.0, -1.0, 0.25, 1.0, 2.0, 2.7, 4.5, 5.99}) {
    EXPECT_NEAR(tamo::lookupLogCapped(t, x, 100.0), std::exp2(x), 1e-12 * std::exp2(x)) << x;
  }
  // at and above the last x, or from a cap below it on: the last value
  for (auto [x, cap] : {std::pair{6.0, 100.0}, {60.0, 100.0}, {4.0, 4.0}}) {
    EXPECT_DOUBLE_EQ(tamo::lookupLogCapped(t, x, cap), 64.0) << x << " " << cap;
  }
  EXPECT_NEAR(tamo::lookupLogCapped(t, 3.9, 4.0), std::exp2(3.9), 1e-12 * 16);
  // one row: its value everywhere; no rows: 0
  for (double x : {0.0, 3.0})
    EXPECT_DOUBLE_EQ(tamo::lookupLogCapped(pairs({2}, {7}), x, 10.0), 7.0);
  EXPECT_DOUBLE_EQ(tamo::lookupLogCapped(PairTable{}, 3.0, 10.0), 0.0);
}

TEST(LookupSloped, PiecewiseLinearWithEndSlopesAndMatchingSlope) {
  // points (0, 0), (10, 20), (20, 30): slopes 2, 1 and the repeated last slope 1
  TripleTable t;
  t.resize(3);
  const double rows[3][3] = {{0, 0, 2}, {10, 20, 1}, {20, 30, 1}};
  for (int i = 1; i <= 3; ++i)
    t.x(i) = rows[i - 1][0], t.y(i) = rows[i - 1][1], t.z(i) = rows[i - 1][2];
  const double at[][3] = {{-5, -10, 2}, {5, 10, 2},  {9.999, 19.998, 2}, {10, 20, 1},
                          {15, 25, 1},  {20, 30, 1}, {25, 35, 1}};
  for (const auto& p : at) {
    EXPECT_DOUBLE_EQ(tamo::lookupSloped(t, p[0]), p[1]) << p[0];
    EXPECT_DOUBLE_EQ(tamo::slopeAt(t, p[0]), p[2]) << p[0];
  }
  // one row: the line through it with its slope
  t.resize(1);
  t.x(1) = 5.0, t.y(1) = 7.0, t.z(1) = 3.0;
  EXPECT_DOUBLE_EQ(tamo::lookupSloped(t, 6.0), 10.0);
  EXPECT_DOUBLE_EQ(tamo::lookupSloped(t, 4.0), 4.0);
  EXPECT_DOUBLE_EQ(tamo::slopeAt(t, 100.0), 3.0);
}

}  // namespace
