// Row-table lookups: end rules at and beyond both ends, exactness of linear and
// logarithmic interpolation on curves they represent exactly.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

#include "material/lookups.h"

namespace {

using tamo::PairTable;
using tamo::TripleTable;

PairTable pairs(std::initializer_list<double> xs, std::initializer_list<double> ys) {
  PairTable t;
  t.resize(static_cast<int>(xs.size()));
  int i = 1;
  for (double x : xs) t.x(i++) = x;
  i = 1;
  for (double y : ys) t.y(i++) = y;
  return t;
}

TEST(RowSearch, BracketsArgumentAndClampsToEndRows) {
  const PairTable t = pairs({1, 2, 4, 8, 16}, {0, 0, 0, 0, 0});
  EXPECT_EQ(tamo::searchRows(t, 5, -3.0), 1);
  EXPECT_EQ(tamo::searchRows(t, 5, 1.0), 1);
  EXPECT_EQ(tamo::searchRows(t, 5, 1.999), 1);
  EXPECT_EQ(tamo::searchRows(t, 5, 2.0), 2);
  EXPECT_EQ(tamo::searchRows(t, 5, 5.0), 3);
  EXPECT_EQ(tamo::searchRows(t, 5, 15.999), 4);
  EXPECT_EQ(tamo::searchRows(t, 5, 16.0), 4);  // at the last x: n-1
  EXPECT_EQ(tamo::searchRows(t, 5, 1e9), 4);
  // only the first n rows take part
  EXPECT_EQ(tamo::searchRows(t, 3, 100.0), 2);
  EXPECT_EQ(tamo::searchRows(t, 1, 100.0), 1);
  EXPECT_EQ(tamo::searchRows(t, 0, 100.0), 1);
  // every bracket of a long table, against a linear scan
  PairTable longTable;
  longTable.resize(37);
  for (int i = 1; i <= 37; ++i) longTable.x(i) = 0.5 * i * i;
  for (int i = 1; i <= 36; ++i) {
    const double mid = 0.5 * (longTable.x(i) + longTable.x(i + 1));
    EXPECT_EQ(tamo::searchRows(longTable, 37, mid), i);
    EXPECT_EQ(tamo::searchRows(longTable, 37, longTable.x(i)), i);
  }
}

TEST(LookupClamped, LinearInsideHeldConstantOutside) {
  const PairTable t = pairs({1, 3, 7}, {10, 20, 0});
  EXPECT_DOUBLE_EQ(tamo::lookupClamped(t, -100.0), 10.0);
  EXPECT_DOUBLE_EQ(tamo::lookupClamped(t, 0.999), 10.0);
  EXPECT_DOUBLE_EQ(tamo::lookupClamped(t, 1.0), 10.0);
  EXPECT_DOUBLE_EQ(tamo::lookupClamped(t, 2.0), 15.0);
  EXPECT_DOUBLE_EQ(tamo::lookupClamped(t, 3.0), 20.0);
  EXPECT_DOUBLE_EQ(tamo::lookupClamped(t, 6.0), 5.0);
  EXPECT_DOUBLE_EQ(tamo::lookupClamped(t, 7.0), 0.0);
  EXPECT_DOUBLE_EQ(tamo::lookupClamped(t, 70.0), 0.0);
  const PairTable single = pairs({5}, {2.5});
  EXPECT_DOUBLE_EQ(tamo::lookupClamped(single, -1.0), 2.5);
  EXPECT_DOUBLE_EQ(tamo::lookupClamped(single, 9.0), 2.5);
  EXPECT_DOUBLE_EQ(tamo::lookupClamped(PairTable{}, 1.0), 0.0);
}

TEST(LookupLogCapped, ExactOnExponentialAndCappedAtLastValue) {
  // y = 2^x sampled at uneven points: logarithmic interpolation reproduces it exactly
  const PairTable t = pairs({0, 1, 3, 6}, {1, 2, 8, 64});
  for (double x : {0.25, 1.0, 2.0, 2.7, 4.5, 5.99}) {
    EXPECT_NEAR(tamo::lookupLogCapped(t, x, 100.0), std::exp2(x), 1e-12 * std::exp2(x)) << x;
  }
  // below the first x the first pair is extended in logarithmic form (no clamp)
  EXPECT_NEAR(tamo::lookupLogCapped(t, -1.0, 100.0), 0.5, 1e-15);
  EXPECT_NEAR(tamo::lookupLogCapped(t, -10.0, 100.0), std::exp2(-10.0), 1e-18);
  // at and above the last x: last value
  EXPECT_DOUBLE_EQ(tamo::lookupLogCapped(t, 6.0, 100.0), 64.0);
  EXPECT_DOUBLE_EQ(tamo::lookupLogCapped(t, 60.0, 100.0), 64.0);
  // cap below the last x: the last value from the cap on, interpolation just below it
  EXPECT_DOUBLE_EQ(tamo::lookupLogCapped(t, 4.0, 4.0), 64.0);
  EXPECT_DOUBLE_EQ(tamo::lookupLogCapped(t, 5.0, 4.0), 64.0);
  EXPECT_NEAR(tamo::lookupLogCapped(t, 3.9, 4.0), std::exp2(3.9), 1e-12 * 16);
  // one row: its value everywhere; no rows: 0
  const PairTable single = pairs({2}, {7});
  EXPECT_DOUBLE_EQ(tamo::lookupLogCapped(single, 0.0, 10.0), 7.0);
  EXPECT_DOUBLE_EQ(tamo::lookupLogCapped(single, 3.0, 10.0), 7.0);
  EXPECT_DOUBLE_EQ(tamo::lookupLogCapped(PairTable{}, 3.0, 10.0), 0.0);
}

TEST(LookupSloped, PiecewiseLinearWithEndSlopesAndMatchingSlope) {
  // points (0, 0), (10, 20), (20, 30): slopes 2, 1 and the repeated last slope 1
  TripleTable t;
  t.resize(3);
  const double x[] = {0, 10, 20}, y[] = {0, 20, 30}, s[] = {2, 1, 1};
  for (int i = 1; i <= 3; ++i) {
    t.x(i) = x[i - 1];
    t.y(i) = y[i - 1];
    t.z(i) = s[i - 1];
  }
  EXPECT_DOUBLE_EQ(tamo::lookupSloped(t, -5.0), -10.0);
  EXPECT_DOUBLE_EQ(tamo::slopeAt(t, -5.0), 2.0);
  EXPECT_DOUBLE_EQ(tamo::lookupSloped(t, 5.0), 10.0);
  EXPECT_DOUBLE_EQ(tamo::slopeAt(t, 9.999), 2.0);
  EXPECT_DOUBLE_EQ(tamo::lookupSloped(t, 10.0), 20.0);
  EXPECT_DOUBLE_EQ(tamo::slopeAt(t, 10.0), 1.0);
  EXPECT_DOUBLE_EQ(tamo::lookupSloped(t, 15.0), 25.0);
  EXPECT_DOUBLE_EQ(tamo::lookupSloped(t, 20.0), 30.0);
  EXPECT_DOUBLE_EQ(tamo::lookupSloped(t, 25.0), 35.0);
  EXPECT_DOUBLE_EQ(tamo::slopeAt(t, 25.0), 1.0);
  TripleTable single;
  single.resize(1);
  single.x(1) = 5.0;
  single.y(1) = 7.0;
  single.z(1) = 3.0;
  EXPECT_DOUBLE_EQ(tamo::lookupSloped(single, 6.0), 10.0);
  EXPECT_DOUBLE_EQ(tamo::lookupSloped(single, 4.0), 4.0);
  EXPECT_DOUBLE_EQ(tamo::slopeAt(single, 100.0), 3.0);
}

}  // namespace
