#include "weather/weather_file_error.h"

#include <sstream>

namespace tamo1d::weather {
namespace {

std::string formatLocation(const std::string& file, int line, int column, const std::string& field,
                           const std::string& problem) {
  std::ostringstream text;
  text << file;
  if (line > 0) text << ':' << line;
  text << ": ";
  if (column > 0) {
    text << "column " << column;
    if (!field.empty()) text << " (" << field << ')';
    text << ": ";
  }
  text << problem;
  return text.str();
}

}  // namespace

WeatherFileError::WeatherFileError(const std::string& file, int line, int column,
                                   const std::string& field, const std::string& problem)
    : std::runtime_error(formatLocation(file, line, column, field, problem)),
      line_(line),
      column_(column) {}

}  // namespace tamo1d::weather
