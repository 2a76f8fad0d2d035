// x^y and e^x as the C library computes them, x^y split in two so that a fixed base keeps
// its logarithm.
//
// The algorithm is Arm's double-precision pow (newlib, and glibc since 2.28, whose x86-64
// build selects it with fused multiply-adds on processors that have them): the logarithm
// of x is formed in two parts, multiplied by y, and the exponential of that two-part
// product is rounded once. powerFromBase repeats those operations with the same tables and
// the same fused multiply-adds, so on such a processor it returns std::pow(x, y) bit for
// bit; a table interpolation y(k) * (y(k+1) / y(k)) ^ s keeps powerBase of each row's
// ratio and evaluates only the exponential per lookup, about half the work.
//
// Arguments off the algorithm's main path (a base that is zero, negative, subnormal,
// infinite or NaN; an exponent below 2^-65 or from 2^63 on in magnitude, or NaN; a result
// near overflow or underflow) are passed to std::pow.
#pragma once

namespace tamo {

// ln(x) in two parts, hi + lo; valid is false for a base off the main path.
struct PowerBase {
  double hi = 0.0;
  double lo = 0.0;
  bool valid = false;
};

PowerBase powerBase(double x);

// x^y, given powerBase(x).
double powerFromBase(double x, const PowerBase& base, double y);

// x^y.
double power(double x, double y);

// e^x, the C library's exp on the same terms (its algorithm is the second half of pow's,
// without the low part of the argument); std::exp off the main path.
double exponential(double x);

// The entry points above as a policy of the lookups and properties that use them (the
// default); InlinePower (power_algorithm.h) inlines the algorithm instead.
struct CalledPower {
  static double fromBase(double x, const PowerBase& base, double y) {
    return powerFromBase(x, base, y);
  }
  static double of(double x, double y) { return power(x, y); }
  static double exp(double x) { return exponential(x); }
};

}  // namespace tamo
