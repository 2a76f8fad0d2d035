#include "assessment_observer.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "checkpoint_file.h"
#include "tamo1dkernel.h"

namespace tamo1d {

namespace {

constexpr double kSecondsPerHour = 3600.0;

// Ice content (kg/m3) of a cell: the water above the frost-capped humidity that the
// library's frost model leaves unfrozen, c = 1 + 0.01 T below 0 degC; no ice at 0 degC and
// above (water above saturation is liquid there).
double iceContent(int32_t kernel, int32_t material, double temperature, double humidity,
                  double water) {
  if (!(temperature < 0.0)) return 0.0;
  const double cap = 1.0 + 0.01 * temperature;
  if (!(humidity > cap)) return 0.0;
  double unfrozen = 0.0, capacity = 0.0;
  if (tamoSoriso(kernel, material, cap, &unfrozen, &capacity) != TAMO_OK) return 0.0;
  return std::max(water - unfrozen, 0.0);
}

// Critical humidity of mould growth at the temperature, fraction; 1 where growth is
// impossible at any humidity (at or below 0 degC, at or above 50 degC).
double criticalHumidity(double temperature, assessment::MouldSensitivity sensitivity) {
  if (!(temperature > 0.0 && temperature < 50.0)) return 1.0;
  return std::min(assessment::mouldCriticalHumidity(temperature, sensitivity) / 100.0, 1.0);
}

SummaryItem item(const assessment::Judgement& j) {
  return {j.name, j.value, j.unit, j.limit, j.verdict};
}

}  // namespace

AssessmentObserver::AssessmentObserver(std::shared_ptr<const AssessmentDefinition> definition,
                                       const Grid& grid)
    : definition_(std::move(definition)), grid_(grid) {
  monitors_.reserve(definition_->monitors.size());
  for (const MonitorDefinition& d : definition_->monitors) {
    const int node = monitorNode(d.position, grid_);
    monitors_.push_back({&d,
                         node,
                         grid_.materials[static_cast<std::size_t>(node - 1)],
                         assessment::MonitorAssessment(d.settings),
                         {}});
    OutputTable& t = monitors_.back().table;
    t.addColumn("time", "h");
    t.addColumn("temperature", "degC");
    t.addColumn("humidity", "-");
    t.addColumn("water_content", "kg/m3");
    t.addColumn("ice_content", "kg/m3");
    t.addColumn("mould_index", "-");
    t.addColumn("critical_humidity", "-");
  }
  row_.resize(7);
  years_.addColumn("year", "-");
  years_.addColumn("total_water", "kg/m2");
}

void AssessmentObserver::start(const StepView& state) {
  // The degree of saturation refers to the library's maximum water content w_max of the
  // material, its storage function's value at the humidity 1.01.
  for (Monitor& m : monitors_) {
    assessment::MonitorSettings settings = m.definition->settings;
    double capacity = 0.0;
    tamoSoriso(state.kernel, m.material, 1.01, &settings.maximumWater, &capacity);
    m.assessment = assessment::MonitorAssessment(settings);
    record(m, state);
  }
  if (definition_->equilibrium) {
    double total = 0.0;
    for (int k = 2; k <= grid_.interfaceCount(); ++k) {
      total += state.waterContent[static_cast<std::size_t>(k - 1)] * nodeVolume(grid_, k);
    }
    equilibrium_.emplace(total, definition_->tolerance, definition_->maximumYears);
    years_.append({0.0, total});
  }
}

void AssessmentObserver::record(Monitor& m, const StepView& state) {
  const std::size_t i = static_cast<std::size_t>(m.node - 1);
  assessment::MonitorState s;
  s.temperature = state.temperature[i];
  s.humidity = state.humidity[i];
  s.waterContent = state.waterContent[i];
  s.iceContent = iceContent(state.kernel, m.material, s.temperature, s.humidity, s.waterContent);
  if (state.step > 0.0) m.assessment.advance(state.step, s);
  row_[0] = state.time / kSecondsPerHour;
  row_[1] = s.temperature;
  row_[2] = s.humidity;
  row_[3] = s.waterContent;
  row_[4] = s.iceContent;
  row_[5] = m.assessment.mould().index();
  row_[6] = criticalHumidity(s.temperature, m.definition->settings.sensitivity);
  m.table.append(row_);
}

void AssessmentObserver::accepted(const StepView& state) {
  for (Monitor& m : monitors_) record(m, state);
  if (equilibrium_ && !finished_) {
    const long year = std::lround(state.time / definition_->yearSeconds);
    if (year > yearsSeen_ && std::fabs(state.time - year * definition_->yearSeconds) < 1e-3) {
      yearsSeen_ = year;
      endOfYear(state);
    }
  }
}

void AssessmentObserver::endOfYear(const StepView& state) {
  double total = 0.0;
  for (int k = 2; k <= grid_.interfaceCount(); ++k) {
    total += state.waterContent[static_cast<std::size_t>(k - 1)] * nodeVolume(grid_, k);
  }
  finished_ = !equilibrium_->endOfYear(total);
  years_.append({static_cast<double>(yearsSeen_), total});
}

void AssessmentObserver::summarise(std::vector<SummaryItem>& items) const {
  std::vector<assessment::Judgement> lines;
  for (const Monitor& m : monitors_) m.assessment.judge(m.definition->name, lines);
  for (const assessment::Judgement& j : lines) items.push_back(item(j));
  if (!equilibrium_) return;
  const assessment::DynamicEquilibrium& e = *equilibrium_;
  const std::vector<double>& water = e.yearEndWater();
  for (std::size_t y = 1; y < water.size(); ++y) {
    items.push_back({"total_water_year_" + std::to_string(y), water[y], "kg/m2",
                     std::numeric_limits<double>::quiet_NaN(), ""});
  }
  std::string verdict = e.reached() ? "pass: equilibrium after " : "FAIL: no equilibrium after ";
  verdict += std::to_string(e.years()) + (e.years() == 1 ? " year, " : " years, ");
  verdict += assessment::waterTrendName(e.trend());
  items.push_back({"equilibrium_change", std::fabs(e.lastChange()), "-", e.tolerance(), verdict});
}

// Layout of the saved state; a changed layout refuses older checkpoints.
constexpr int64_t kStateLayout = 1;

bool AssessmentObserver::saveState(std::string& bytes) const {
  std::vector<double> state{static_cast<double>(yearsSeen_), finished_ ? 1.0 : 0.0};
  for (const Monitor& m : monitors_) m.assessment.saveState(state);
  if (equilibrium_) equilibrium_->saveState(state);
  bytes = observerState(kStateLayout, state);
  return true;
}

bool AssessmentObserver::restoreState(const std::string& bytes) {
  std::vector<double> state;
  if (!readObserverState(bytes, kStateLayout, state)) return false;
  assessment::StateReader in(state);
  yearsSeen_ = in.count();
  finished_ = in.flag();
  for (Monitor& m : monitors_) m.assessment.restoreState(in);
  if (equilibrium_) equilibrium_->restoreState(in);
  return in.complete();
}

void AssessmentObserver::tables(std::vector<ObserverTable>& out) {
  const std::string& prefix = definition_->filePrefix;
  for (Monitor& m : monitors_) {
    const std::string& name = m.definition->name;
    out.push_back({"monitor_" + name, prefix.empty() ? "" : prefix + name + ".csv",
                   "assessment.monitor_files", &m.table});
  }
  if (equilibrium_) out.push_back({"equilibrium", "", "", &years_});
}

}  // namespace tamo1d
