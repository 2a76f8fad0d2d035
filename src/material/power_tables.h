// Tables of the pow algorithm in power.cpp (values and their source in power_tables.cpp).
#pragma once

#include <cstdint>

namespace tamo::power_tables {

// Interval i of the logarithm's argument reduction: 1/c and log(c) in two parts, c near the
// middle of the interval.
struct LogInterval {
  double invc;
  double logc;
  double logctail;
};

extern const double kLn2Hi;
extern const double kLn2Lo;
extern const double kLogPoly[7];
extern const LogInterval kLogTable[128];
extern const double kInvLn2N;
extern const double kShift;
extern const double kNegLn2HiN;
extern const double kNegLn2LoN;
extern const double kExpPoly[4];
extern const uint64_t kExpTable[256];

}  // namespace tamo::power_tables
