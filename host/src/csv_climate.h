// Hourly (or any spacing) climate records read from a CSV file with a header row. The
// columns are found by name: time (h on the simulation clock, required, increasing),
// temperature (degC), humidity (fraction), radiation (W/m2), counter_radiation (W/m2),
// rain (kg/(m2 h)), pressure (Pa). A unit may follow the name in brackets
// ("temperature [degC]"). Values are interpolated linearly in time; with a period the
// records repeat, otherwise a time outside the records is an error found when the case is
// checked (coveredUntil).
#ifndef TAMO1D_CSV_CLIMATE_H
#define TAMO1D_CSV_CLIMATE_H

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tamo1d {

enum class ClimateColumn { Temperature, Humidity, Radiation, CounterRadiation, Rain, Pressure };
inline constexpr int kClimateColumnCount = 6;

class CsvClimate {
 public:
  // Reads and checks the file; throws CaseError naming the file, line and column.
  // period <= 0: no repetition.
  static CsvClimate load(const std::string& path, double periodHours);

  bool hasColumn(ClimateColumn c) const { return !values_[index(c)].empty(); }
  // Linear interpolation at the given hour; requires hasColumn(c).
  double at(ClimateColumn c, double hour) const;
  // Smallest and largest record of a column; requires hasColumn(c).
  std::pair<double, double> extremes(ClimateColumn c) const;
  double firstHour() const { return hours_.front(); }
  double lastHour() const { return hours_.back(); }
  // True when every hour in [from, to] can be evaluated.
  bool covers(double fromHour, double toHour) const;
  const std::string& path() const { return path_; }

  static const char* columnName(ClimateColumn c);

 private:
  static int index(ClimateColumn c) { return static_cast<int>(c); }

  std::string path_;
  double period_ = 0.0;                                          // h, 0 = no repetition
  std::vector<double> hours_;                                    // record times, h
  std::array<std::vector<double>, kClimateColumnCount> values_;  // per column, per record
};

}  // namespace tamo1d

#endif
