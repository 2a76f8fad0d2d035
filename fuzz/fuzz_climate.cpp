// libFuzzer harness of the climate CSV reader: the input is written to a scratch file and
// read with and without a repetition period. The reader either refuses it with a CaseError
// or returns records on which every column lookup, the extremes and the coverage test
// answer with finite values inside the records' range (up to rounding).
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "case_error.h"
#include "csv_climate.h"

namespace {

void exercise(const tamo1d::CsvClimate& climate) {
  const double first = climate.firstHour(), last = climate.lastHour();
  if (!(first <= last)) std::abort();
  for (int c = 0; c < tamo1d::kClimateColumnCount; ++c) {
    const auto column = static_cast<tamo1d::ClimateColumn>(c);
    if (!climate.hasColumn(column)) continue;
    const auto [lo, hi] = climate.extremes(column);
    // Interpolation may round one unit in the last place beyond the records.
    const double slack = 1e-12 * std::fmax(std::fabs(lo), std::fabs(hi));
    for (const double hour : {first, 0.5 * (first + last), last}) {
      const double v = climate.at(column, hour);
      if (!std::isfinite(v) || v < lo - slack || v > hi + slack) std::abort();
    }
  }
  climate.covers(first, last);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/fuzz_climate_" + std::to_string(getpid()) + ".csv";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  for (const double period : {0.0, 8760.0}) {
    try {
      exercise(tamo1d::CsvClimate::load(path, period));
    } catch (const tamo1d::CaseError&) {
      // a refusal with a message is the expected answer to most inputs
    }
  }
  return 0;
}
