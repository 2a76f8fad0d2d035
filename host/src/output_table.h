// An output table held in memory: named columns with units, one value per row and
// column. Written as CSV ("name [unit]" headers, 8 significant digits) through a temporary
// file in the same folder that is renamed into place.
#ifndef TAMO1D_OUTPUT_TABLE_H
#define TAMO1D_OUTPUT_TABLE_H

#include <functional>
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
  // The CSV header line and the CSV line of one row (each ending in '\n'); csv() is the
  // header followed by the lines of the rows.
  std::string header() const;
  std::string line(const std::vector<double>& row) const;

  // Streaming: from now on every appended row is also handed to `sink` as its CSV line;
  // with keepRows false rows are no longer kept in memory (the table stays empty).
  void stream(std::function<void(const std::string&)> sink, bool keepRows);
  bool keepsRows() const { return keepRows_; }
  void clearRows();

 private:
  std::vector<std::string> names_, units_;
  std::vector<std::vector<double>> values_;  // per column
  std::function<void(const std::string&)> sink_;
  bool keepRows_ = true;
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
