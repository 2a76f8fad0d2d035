#include "weather/text_fields.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>

#include "weather/weather_file_error.h"

namespace tamo1d::weather {
namespace {

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

std::string formatted(double value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

}  // namespace

TextRow::TextRow(const std::string& file, int line, std::string_view text, char separator)
    : file_(file), line_(line) {
  if (separator == ' ') {
    std::size_t pos = 0;
    while (true) {
      pos = text.find_first_not_of(" \t\r", pos);
      if (pos == std::string_view::npos) break;
      const auto end = text.find_first_of(" \t\r", pos);
      fields_.push_back(text.substr(pos, end == std::string_view::npos ? end : end - pos));
      if (end == std::string_view::npos) break;
      pos = end;
    }
    return;
  }
  std::size_t start = 0;
  while (true) {
    const auto end = text.find(separator, start);
    fields_.push_back(
        trimmed(text.substr(start, end == std::string_view::npos ? end : end - start)));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
}

void TextRow::fail(int column, const char* name, const std::string& problem) const {
  throw WeatherFileError(file_, line_, column, name ? name : "", problem);
}

void TextRow::requireColumns(int expected) const {
  if (columns() != expected) {
    fail(0, nullptr,
         "expected " + std::to_string(expected) + " columns, found " + std::to_string(columns()) +
             (columns() < expected ? " (truncated line?)" : ""));
  }
}

double TextRow::number(int column, const char* name) const {
  const std::string_view text = field(column);
  double value = 0.0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value)) {
    std::string problem(1, '\'');
    problem.append(text).append("' is not a number");
    fail(column, name, problem);
  }
  return value;
}

double TextRow::numberOrMissing(int column, const char* name, double missingCode) const {
  if (field(column).empty()) return std::nan("");
  const double value = number(column, name);
  return value == missingCode ? std::nan("") : value;
}

void TextRow::requireRange(double value, int column, const char* name, double lower,
                           double upper) const {
  if (value < lower || value > upper) {
    fail(column, name,
         "value " + formatted(value) + " outside " + formatted(lower) + " .. " + formatted(upper));
  }
}

std::vector<std::string> readLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw WeatherFileError(path, 0, 0, "", std::string("cannot open: ") + std::strerror(errno));
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  if (!lines.empty() && lines.front().starts_with("\xEF\xBB\xBF")) lines.front().erase(0, 3);
  return lines;
}

}  // namespace tamo1d::weather
