// Records the profiles in long form: one row per cell and output time with the columns
// "time" (h), "position" (m, cell centre from surface A), "layer" (1 at side A) and the
// case's quantities.
#ifndef TAMO1D_PROFILE_RECORDER_H
#define TAMO1D_PROFILE_RECORDER_H

#include <string>
#include <vector>

#include "grid_builder.h"
#include "output_quantities.h"
#include "output_table.h"
#include "result_probe.h"

namespace tamo1d {

class ProfileRecorder {
 public:
  explicit ProfileRecorder(const std::vector<std::string>& names);

  void record(double seconds, const Grid& grid, const std::vector<double>& temperature,
              const std::vector<double>& humidity, const ResultProbe& probe);
  const OutputTable& table() const { return table_; }

 private:
  std::vector<ProfileQuantity> quantities_;
  OutputTable table_;
  std::vector<double> row_;
};

}  // namespace tamo1d

#endif
