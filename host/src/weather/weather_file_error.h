// Error raised by the weather readers: the file, the 1-based line and column (the field
// number of the data row; 0 when the problem concerns the whole line or file) and the
// problem, formatted as "file:line: column c (name): problem".
#ifndef TAMO1D_WEATHER_WEATHER_FILE_ERROR_H
#define TAMO1D_WEATHER_WEATHER_FILE_ERROR_H

#include <stdexcept>
#include <string>

namespace tamo1d::weather {

class WeatherFileError : public std::runtime_error {
 public:
  WeatherFileError(const std::string& file, int line, int column, const std::string& field,
                   const std::string& problem);
  int line() const { return line_; }
  int column() const { return column_; }

 private:
  int line_;
  int column_;
};

}  // namespace tamo1d::weather

#endif
