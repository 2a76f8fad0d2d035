// Records the time series: column "time" (h), then the case's quantities, one row per
// output interval, into an OutputTable.
#ifndef TAMO1D_SERIES_RECORDER_H
#define TAMO1D_SERIES_RECORDER_H

#include <string>
#include <vector>

#include "climate_provider.h"
#include "output_quantities.h"
#include "output_table.h"
#include "result_probe.h"

namespace tamo1d {

class SeriesRecorder {
 public:
  SeriesRecorder(const std::vector<std::string>& names, int layerCount);

  // One row at `seconds`; iterations: the kernel's iteration counts summed over the steps
  // since the previous row.
  void record(double seconds, const ClimateState& climate, const std::vector<double>& temperature,
              const std::vector<double>& humidity, const ResultProbe& probe, long long iterations);
  const OutputTable& table() const { return table_; }

 private:
  double value(const SeriesQuantity& q, const ClimateState& climate,
               const std::vector<double>& temperature, const std::vector<double>& humidity,
               const ResultProbe& probe, long long iterations) const;

  std::vector<SeriesQuantity> quantities_;
  OutputTable table_;
  std::vector<double> row_;
};

}  // namespace tamo1d

#endif
