// Writes the profile CSV in long form: one row per cell and output time with the columns
// "time [h],position [m],layer,<quantities>". Position is the cell centre measured from
// surface A; layer counts from 1 at side A.
#ifndef TAMO1D_PROFILE_WRITER_H
#define TAMO1D_PROFILE_WRITER_H

#include <fstream>
#include <string>
#include <vector>

#include "grid_builder.h"
#include "output_quantities.h"
#include "result_probe.h"

namespace tamo1d {

class ProfileWriter {
 public:
  // Opens (creates) the file and writes the header; throws std::runtime_error on failure.
  ProfileWriter(const std::string& path, const std::vector<std::string>& names);

  void write(double seconds, const Grid& grid, const std::vector<double>& temperature,
             const std::vector<double>& humidity, const ResultProbe& probe);
  bool good() const { return static_cast<bool>(out_); }
  void close() { out_.close(); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::ofstream out_;
  std::vector<ProfileQuantity> quantities_;
};

}  // namespace tamo1d

#endif
