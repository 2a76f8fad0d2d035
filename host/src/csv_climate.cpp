#include "csv_climate.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "case_error.h"

namespace tamo1d {

namespace {

std::string trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  const auto last = s.find_last_not_of(" \t\r\n");
  return s.substr(first, last - first + 1);
}

std::vector<std::string> splitCells(const std::string& line) {
  std::vector<std::string> cells;
  std::string cell;
  std::istringstream in(line);
  while (std::getline(in, cell, ',')) cells.push_back(trim(cell));
  if (!line.empty() && line.back() == ',') cells.push_back("");
  return cells;
}

// The name of a header cell without a bracketed unit: "rain [kg/(m2 h)]" -> "rain".
std::string columnKey(const std::string& header) {
  const auto bracket = header.find('[');
  return trim(bracket == std::string::npos ? header : header.substr(0, bracket));
}

// The bracketed unit of a header cell ("" when none).
std::string columnUnit(const std::string& header) {
  const auto open = header.find('[');
  const auto close = header.rfind(']');
  if (open == std::string::npos || close == std::string::npos || close < open) return "";
  return trim(header.substr(open + 1, close - open - 1));
}

// The unit each column is read in; a header may name it or leave it out.
const char* expectedUnit(const std::string& key) {
  if (key == "time") return "h";
  if (key == "temperature") return "degC";
  if (key == "humidity") return "-";
  if (key == "rain") return "kg/(m2 h)";
  if (key == "pressure") return "Pa";
  return "W/m2";  // radiation, counter_radiation
}

}  // namespace

const char* CsvClimate::columnName(ClimateColumn c) {
  switch (c) {
    case ClimateColumn::Temperature:
      return "temperature";
    case ClimateColumn::Humidity:
      return "humidity";
    case ClimateColumn::Radiation:
      return "radiation";
    case ClimateColumn::CounterRadiation:
      return "counter_radiation";
    case ClimateColumn::Rain:
      return "rain";
    case ClimateColumn::Pressure:
      return "pressure";
  }
  return "";
}

CsvClimate CsvClimate::load(const std::string& path, double periodHours) {
  std::ifstream in(path);
  if (!in) {
    throw CaseError(
        path, "", std::string("cannot open the climate file for reading: ") + std::strerror(errno));
  }
  CsvClimate climate;
  climate.path_ = path;
  climate.period_ = periodHours > 0.0 ? periodHours : 0.0;

  std::string line;
  long lineNumber = 0;
  std::vector<std::string> header;
  while (std::getline(in, line)) {
    ++lineNumber;
    if (lineNumber == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);  // UTF-8 BOM
    if (!trim(line).empty() && trim(line)[0] != '#') {
      header = splitCells(line);
      break;
    }
  }
  if (header.empty()) throw CaseError(path, "", "the file has no header row");

  // Column of the file for time and for each climate quantity (-1 = absent).
  int timeColumn = -1;
  std::array<int, kClimateColumnCount> columnOf;
  columnOf.fill(-1);
  for (std::size_t i = 0; i < header.size(); ++i) {
    const std::string key = columnKey(header[i]);
    int* slot = nullptr;
    if (key == "time") slot = &timeColumn;
    for (int c = 0; c < kClimateColumnCount; ++c) {
      if (key == columnName(static_cast<ClimateColumn>(c))) slot = &columnOf[c];
    }
    if (slot == nullptr) {
      throw CaseError(path, "header column " + std::to_string(i + 1),
                      "unknown column \"" + key +
                          "\" (known: time, temperature, humidity, radiation, "
                          "counter_radiation, rain, pressure)");
    }
    const std::string unit = columnUnit(header[i]);
    if (!unit.empty() && unit != expectedUnit(key)) {
      throw CaseError(path, "header column " + std::to_string(i + 1),
                      "the unit of \"" + key + "\" is [" + unit + "], the file must give [" +
                          expectedUnit(key) + "]");
    }
    if (*slot >= 0) {
      throw CaseError(path, "header column " + std::to_string(i + 1),
                      "column \"" + key + "\" appears twice");
    }
    *slot = static_cast<int>(i);
  }
  if (timeColumn < 0) throw CaseError(path, "header", "the column \"time\" is missing");

  while (std::getline(in, line)) {
    ++lineNumber;
    const std::string content = trim(line);
    if (content.empty() || content[0] == '#') continue;
    const std::vector<std::string> cells = splitCells(line);
    const std::string where = "line " + std::to_string(lineNumber);
    if (cells.size() != header.size()) {
      throw CaseError(path, where,
                      "has " + std::to_string(cells.size()) + " values, the header has " +
                          std::to_string(header.size()));
    }
    auto parse = [&](int column) {
      const std::string& cell = cells[static_cast<std::size_t>(column)];
      errno = 0;
      char* end = nullptr;
      const double v = std::strtod(cell.c_str(), &end);
      if (cell.empty() || end != cell.c_str() + cell.size() || errno == ERANGE ||
          !std::isfinite(v)) {
        throw CaseError(path, where + ", column " + header[static_cast<std::size_t>(column)],
                        "\"" + cell + "\" is not a finite number");
      }
      return v;
    };
    const double hour = parse(timeColumn);
    if (!climate.hours_.empty() && hour <= climate.hours_.back()) {
      throw CaseError(path, where + ", column time", "times must increase strictly");
    }
    climate.hours_.push_back(hour);
    for (int c = 0; c < kClimateColumnCount; ++c) {
      if (columnOf[c] >= 0) climate.values_[c].push_back(parse(columnOf[c]));
    }
  }
  if (climate.hours_.size() < 2) throw CaseError(path, "", "needs at least two records");
  if (climate.period_ > 0.0 && climate.period_ <= climate.hours_.back() - climate.hours_.front()) {
    throw CaseError(path, "", "the repetition period must exceed the time span of the records");
  }
  return climate;
}

std::pair<double, double> CsvClimate::extremes(ClimateColumn c) const {
  const auto [low, high] = std::minmax_element(values_[index(c)].begin(), values_[index(c)].end());
  return {*low, *high};
}

bool CsvClimate::covers(double fromHour, double toHour) const {
  if (period_ > 0.0) return true;
  return fromHour >= hours_.front() - 1e-9 && toHour <= hours_.back() + 1e-9;
}

double CsvClimate::at(ClimateColumn c, double hour) const {
  const std::vector<double>& v = values_[index(c)];
  const double first = hours_.front();
  if (period_ > 0.0) {
    hour = first + std::fmod(hour - first, period_);
    if (hour < first) hour += period_;
    if (hour > hours_.back()) {
      // Between the last record and the first record of the next period.
      const double s = (hour - hours_.back()) / (first + period_ - hours_.back());
      return v.back() + s * (v.front() - v.back());
    }
  }
  if (hour <= first) return v.front();
  if (hour >= hours_.back()) return v.back();
  const auto upper = std::upper_bound(hours_.begin(), hours_.end(), hour);
  const std::size_t k = static_cast<std::size_t>(upper - hours_.begin());  // hours_[k-1] <= hour
  const double s = (hour - hours_[k - 1]) / (hours_[k] - hours_[k - 1]);
  return v[k - 1] + s * (v[k] - v[k - 1]);
}

}  // namespace tamo1d
