#include "climate_reader.h"

#include <cmath>
#include <filesystem>

#include "host_modules.h"
#include "signal_climate.h"

namespace tamo1d {

namespace {

constexpr double kHoursPerYear = 8760.0;

struct QuantityRange {
  const char* field;
  ClimateColumn column;
  double lowest, highest;  // physically meaningful range
  bool required;           // without a CSV column
  double fallback;         // value when neither given nor in the CSV
};

const QuantityRange kQuantities[] = {
    {"temperature", ClimateColumn::Temperature, -80.0, 80.0, true, 0.0},
    {"humidity", ClimateColumn::Humidity, 0.0, 1.0, true, 0.0},
    {"radiation", ClimateColumn::Radiation, -500.0, 2000.0, false, 0.0},
    {"counter_radiation", ClimateColumn::CounterRadiation, 0.0, 1000.0, false, 0.0},
    {"rain", ClimateColumn::Rain, 0.0, 500.0, false, 0.0},
};

Signal* signalOf(SignalClimate& side, ClimateColumn column) {
  switch (column) {
    case ClimateColumn::Temperature:
      return &side.temperature;
    case ClimateColumn::Humidity:
      return &side.humidity;
    case ClimateColumn::Radiation:
      return &side.radiation;
    case ClimateColumn::CounterRadiation:
      return &side.counterRadiation;
    case ClimateColumn::Rain:
      return &side.rain;
    case ClimateColumn::Pressure:
      return nullptr;
  }
  return nullptr;
}

std::shared_ptr<const CsvClimate> readCsv(FieldReader& r, const std::string& caseDirectory) {
  const std::string name = r.text("csv");
  if (name.empty()) r.fail("csv", "must name a file");
  const double period = r.number("csv_period_hours", 1e-3, 1e7, 0.0);
  std::filesystem::path path(name);
  if (path.is_relative()) path = std::filesystem::path(caseDirectory) / path;
  return std::make_shared<const CsvClimate>(CsvClimate::load(path.string(), period));
}

// Checks every record of a CSV column against the physical range.
void checkColumn(const CsvClimate& csv, ClimateColumn column, double lowest, double highest,
                 const std::string& file, const std::string& path) {
  const auto [low, high] = csv.extremes(column);
  for (const double v : {low, high}) {
    if (v < lowest || v > highest) {
      throw CaseError(file, path,
                      std::string("the column ") + CsvClimate::columnName(column) + " of " +
                          csv.path() + " holds " + formatNumber(v) + ", outside [" +
                          formatNumber(lowest) + ", " + formatNumber(highest) + "]");
    }
  }
}

}  // namespace

Signal readSignal(const Json& value, const std::string& file, const std::string& path,
                  double lowest, double highest) {
  if (value.is_number()) return Signal(numberAt(value, file, path, lowest, highest));
  FieldReader r(value, file, path);
  const double mean = r.number("mean", -1e6, 1e6);
  std::vector<Cycle> cycles;
  const double annualAmplitude = r.number("annual_amplitude", -1e6, 1e6, 0.0);
  const double annualPeakDay = r.number("annual_peak_day", -1e6, 1e6, 0.0);
  if (annualAmplitude != 0.0) {
    cycles.push_back({kHoursPerYear, annualAmplitude, annualPeakDay * 24.0});
  }
  const double dailyAmplitude = r.number("daily_amplitude", -1e6, 1e6, 0.0);
  const double dailyPeakHour = r.number("daily_peak_hour", -1e6, 1e6, 0.0);
  if (dailyAmplitude != 0.0) cycles.push_back({24.0, dailyAmplitude, dailyPeakHour});
  if (r.has("cycles")) {
    const Json& list = r.array("cycles");
    for (std::size_t i = 0; i < list.size(); ++i) {
      FieldReader c(list[i], file, indexPath(r.pathOf("cycles"), i));
      Cycle cycle;
      cycle.period = c.number("period_hours", 1e-3, 1e7);
      cycle.amplitude = c.number("amplitude", -1e6, 1e6);
      cycle.peakHour = c.number("peak_hour", -1e7, 1e7, 0.0);
      c.finish();
      cycles.push_back(cycle);
    }
  }
  const double minimum = r.number("min", lowest, highest, lowest);
  const double maximum = r.number("max", lowest, highest, highest);
  if (minimum > maximum) r.fail("max", "must not be below min");
  r.finish();
  // The unclipped extremes of the sum must stay physical unless a clip keeps them there.
  double swing = 0.0;
  for (const Cycle& c : cycles) swing += std::fabs(c.amplitude);
  if (mean - swing < lowest && !r.has("min")) {
    throw CaseError(file, path,
                    "mean minus the amplitudes reaches " + formatNumber(mean - swing) + ", below " +
                        formatNumber(lowest) + "; add \"min\" to clip");
  }
  if (mean + swing > highest && !r.has("max")) {
    throw CaseError(file, path,
                    "mean plus the amplitudes reaches " + formatNumber(mean + swing) + ", above " +
                        formatNumber(highest) + "; add \"max\" to clip");
  }
  return Signal(mean, std::move(cycles), minimum, maximum);
}

std::shared_ptr<const SurfaceClimateProvider> readSignalClimate(FieldReader& r,
                                                                const std::string& caseDirectory,
                                                                int /*side*/) {
  auto result = std::make_shared<SignalClimate>();
  SignalClimate& side = *result;
  if (r.has("csv")) side.csv = readCsv(r, caseDirectory);
  for (const QuantityRange& q : kQuantities) {
    Signal* target = signalOf(side, q.column);
    const bool inCsv = side.csv && side.csv->hasColumn(q.column);
    if (r.has(q.field)) {
      if (inCsv) {
        r.fail(q.field, "is given twice: here and as a column of " + side.csv->path());
      }
      *target = readSignal(r.value(q.field), r.file(), r.pathOf(q.field), q.lowest, q.highest);
    } else if (inCsv) {
      checkColumn(*side.csv, q.column, q.lowest, q.highest, r.file(), r.pathOf("csv"));
    } else if (q.required) {
      r.fail(q.field, side.csv
                          ? "is required: neither given here nor a column of " + side.csv->path()
                          : std::string("is required but missing"));
    } else {
      *target = Signal(q.fallback);
    }
  }
  if (!side.csv && r.has("csv_period_hours")) {
    r.fail("csv_period_hours", "is only allowed together with \"csv\"");
  }
  r.finish();
  return result;
}

void readClimate(FieldReader& root, const std::string& caseDirectory, Case& c) {
  FieldReader climate(root.object("climate"), root.file(), root.pathOf("climate"));
  const char* names[2] = {"side_a", "side_b"};
  std::vector<std::string> kindNames;
  for (const ClimateKind& k : climateKinds()) kindNames.push_back(k.name);
  for (int s = 0; s < 2; ++s) {
    FieldReader r(climate.object(names[s]), climate.file(), climate.pathOf(names[s]));
    const std::string kind = r.choice("kind", kindNames, kindNames.front());
    for (const ClimateKind& k : climateKinds()) {
      if (k.name == kind) c.climate[static_cast<std::size_t>(s)] = k.read(r, caseDirectory, s);
    }
  }
  const double lowest = 30000.0, highest = 120000.0;
  std::shared_ptr<const CsvClimate> pressureCsv;
  for (const auto& provider : c.climate) {
    const auto* signals = dynamic_cast<const SignalClimate*>(provider.get());
    if (signals && signals->csv && signals->csv->hasColumn(ClimateColumn::Pressure)) {
      pressureCsv = signals->csv;
    }
  }
  if (climate.has("pressure")) {
    if (pressureCsv) {
      climate.fail("pressure", "is given twice: here and as a column of " + pressureCsv->path());
    }
    c.pressure = readSignal(climate.value("pressure"), climate.file(), climate.pathOf("pressure"),
                            lowest, highest);
    c.pressureGiven = true;
  } else if (pressureCsv) {
    checkColumn(*pressureCsv, ClimateColumn::Pressure, lowest, highest, climate.file(),
                climate.path());
  }
  climate.finish();
}

}  // namespace tamo1d
