// Writes the time series CSV: a header row "time [h],<name> [<unit>],..." and one row per
// output interval.
#ifndef TAMO1D_SERIES_WRITER_H
#define TAMO1D_SERIES_WRITER_H

#include <fstream>
#include <string>
#include <vector>

#include "climate_state.h"
#include "output_quantities.h"
#include "result_probe.h"

namespace tamo1d {

class SeriesWriter {
 public:
  // Opens (creates) the file and writes the header; throws std::runtime_error on failure.
  SeriesWriter(const std::string& path, const std::vector<std::string>& names, int layerCount);

  // One row at `seconds`; iterations: inner iterations since the previous row.
  void write(double seconds, const ClimateState& climate, const std::vector<double>& temperature,
             const std::vector<double>& humidity, const ResultProbe& probe, long long iterations);
  bool good() const { return static_cast<bool>(out_); }
  void close() { out_.close(); }
  const std::string& path() const { return path_; }

 private:
  double value(const SeriesQuantity& q, const ClimateState& climate,
               const std::vector<double>& temperature, const std::vector<double>& humidity,
               const ResultProbe& probe, long long iterations) const;

  std::string path_;
  std::ofstream out_;
  std::vector<SeriesQuantity> quantities_;
};

}  // namespace tamo1d

#endif
