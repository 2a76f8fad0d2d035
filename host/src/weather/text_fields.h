// Splitting a data row into fields and reading numbers from them, with the row's line
// number and the field's column for error messages.
#ifndef TAMO1D_WEATHER_TEXT_FIELDS_H
#define TAMO1D_WEATHER_TEXT_FIELDS_H

#include <string>
#include <string_view>
#include <vector>

namespace tamo1d::weather {

// One data row of a weather file.
class TextRow {
 public:
  // Splits at every `separator`, or at runs of blanks when separator is ' '.
  TextRow(const std::string& file, int line, std::string_view text, char separator);

  const std::string& file() const { return file_; }
  int line() const { return line_; }
  int columns() const { return static_cast<int>(fields_.size()); }
  std::string_view field(int column) const { return fields_[column - 1]; }  // 1-based
  // Throws WeatherFileError unless the row has exactly `expected` columns.
  void requireColumns(int expected) const;
  // The number in `column`; a missing or malformed number is an error.
  double number(int column, const char* name) const;
  // The number in `column`, NaN when it equals `missingCode` or is empty.
  double numberOrMissing(int column, const char* name, double missingCode) const;
  // Throws unless lower <= value <= upper (NaN passes: it marks a missing value).
  void requireRange(double value, int column, const char* name, double lower, double upper) const;
  [[noreturn]] void fail(int column, const char* name, const std::string& problem) const;

 private:
  const std::string& file_;
  int line_;
  std::vector<std::string_view> fields_;
};

// Lines of a text file without their line ends (a UTF-8 byte order mark is dropped).
std::vector<std::string> readLines(const std::string& path);

}  // namespace tamo1d::weather

#endif
