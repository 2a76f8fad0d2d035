// An output table held in memory: named columns with units, one value per row and
// column. Written as CSV ("name [unit]" headers, 8 significant digits) through a temporary
// file in the same folder that is renamed into place.
#ifndef TAMO1D_OUTPUT_TABLE_H
#define TAMO1D_OUTPUT_TABLE_H

#include <string>
#include <vector>

namespace tamo1d {

class OutputTable {
 public:
  void addColumn(std::string name, std::string unit);
  int columnCount() const { return static_cast<int>(names_.size()); }
  const std::string& name(int column) const { return names_[static_cast<std::size_t>(column)]; }
  const std::string& unit(int column) const { return units_[static_cast<std::size_t>(column)]; }
  int find(const std::string& name) const;  // -1 when absent
  const std::vector<double>& column(int c) const { return values_[static_cast<std::size_t>(c)]; }
  int rowCount() const { return values_.empty() ? 0 : static_cast<int>(values_[0].size()); }
  // Appends one row; `row` holds one value per column.
  void append(const std::vector<double>& row);

  std::string csv() const;

 private:
  std::vector<std::string> names_, units_;
  std::vector<std::vector<double>> values_;  // per column
};

// Writes text to path via path + ".part" and a rename; creates missing folders. Returns
// "" or the reason of the failure (the operating system's message); a failure leaves any
// earlier file at path untouched.
std::string replaceFile(const std::string& path, const std::string& text);

// Checks that path can be written (creates missing folders and probes with a temporary
// file that is removed again). Returns "" or the reason.
std::string probeWritable(const std::string& path);

}  // namespace tamo1d

#endif
