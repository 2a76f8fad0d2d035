#include "simulation.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

#include "finite_check.h"
#include "kernel_lock.h"
#include "surface_climate.h"
#include "tamo1dkernel.h"

namespace tamo1d {

Simulation::Simulation(std::shared_ptr<const Case> definition)
    : case_(std::move(definition)),
      order_(materialOrder(*case_)),
      grid_(buildCaseGrid(*case_, order_)) {
  const Case& c = *case_;
  for (const LayerDefinition& l : c.layers) {
    const auto it = std::find(order_.begin(), order_.end(), l.material);
    layerMaterial_.push_back(static_cast<int32_t>(it - order_.begin()) + 1);
  }
  defineModel(context_, c, grid_, order_);

  // Node state: n entries, node k in entry k-1; the ambient entries take the climate.
  const std::size_t n = static_cast<std::size_t>(grid_.nodeCount());
  temperature_.assign(n, 0.0);
  humidity_.assign(n, 0.0);
  water_.assign(n, 0.0);
  for (std::size_t i = 1; i + 1 < n; ++i) {
    const LayerDefinition& l = c.layers[static_cast<std::size_t>(grid_.layerOfNode[i])];
    temperature_[i] = l.initialTemperature;
    humidity_[i] = l.initialHumidity;
  }
  const ClimateState startClimate = climateAt(c, 0.0);
  temperature_[0] = startClimate.sides[0].temperature;
  humidity_[0] = startClimate.sides[0].humidity;
  temperature_[n - 1] = startClimate.sides[1].temperature;
  humidity_[n - 1] = startClimate.sides[1].humidity;

  probe_.emplace(context_.handle(), grid_, layerMaterial_, static_cast<int32_t>(order_.size()));
  probe_->refresh(temperature_, humidity_);
  water_ = probe_->waterContent();
  const int layerCount = static_cast<int>(c.layers.size());
  summary_.cells = grid_.interfaceCount() - 1;
  summary_.totalWaterStart = summary_.totalWaterEnd = probe_->totalWater();
  for (int l = 0; l < layerCount; ++l) {
    summary_.layerWaterStart.push_back(probe_->layerWaterContent(l));
  }
  summary_.layerWaterEnd = summary_.layerWaterStart;
  for (int s = 0; s < 2; ++s) {
    const std::size_t node = s == 0 ? 1 : n - 2;
    summary_.surfaceTemperatureMin[s] = summary_.surfaceTemperatureMax[s] = temperature_[node];
    summary_.surfaceHumidityMax[s] = humidity_[node];
  }

  if (!c.series.file.empty()) series_.emplace(c.series.quantities, layerCount);
  if (!c.profiles.file.empty()) profiles_.emplace(c.profiles.quantities);
  if (profiles_ && c.profiles.times.front() <= 0.0) {
    profiles_->record(0.0, grid_, temperature_, humidity_, *probe_);
    nextProfile_ = 1;
  }
  intervals_ = std::lround(c.time.duration / c.time.step);
  seriesEvery_ = std::max(1L, std::lround(c.series.interval / c.time.step));
  summary_.completed = intervals_ == 0;

  for (const StepObserverFactory& make : c.observers) observers_.push_back(make(c, grid_));
  const StepView initial{0.0,       0.0,    grid_,        temperature_,
                         humidity_, water_, startClimate, context_.handle()};
  for (auto& o : observers_) o->start(initial);
}

void Simulation::observeExtremes() {
  const std::size_t n = temperature_.size();
  for (int s = 0; s < 2; ++s) {
    const std::size_t node = s == 0 ? 1 : n - 2;
    summary_.surfaceTemperatureMin[s] =
        std::min(summary_.surfaceTemperatureMin[s], temperature_[node]);
    summary_.surfaceTemperatureMax[s] =
        std::max(summary_.surfaceTemperatureMax[s], temperature_[node]);
    summary_.surfaceHumidityMax[s] = std::max(summary_.surfaceHumidityMax[s], humidity_[node]);
  }
}

void Simulation::refreshEndOfRun() {
  probe_->refresh(temperature_, humidity_);
  summary_.totalWaterEnd = probe_->totalWater();
  for (std::size_t l = 0; l < summary_.layerWaterEnd.size(); ++l) {
    summary_.layerWaterEnd[l] = probe_->layerWaterContent(static_cast<int>(l));
  }
}

Simulation::Advance Simulation::advance(double untilSeconds, const Progress& progress) {
  if (finished()) return stopped_ ? Advance::Stopped : Advance::Reached;
  const Case& c = *case_;
  const int32_t handle = context_.handle();
  const SurfaceDefinition& sa = c.surfaces[0];
  const SurfaceDefinition& sb = c.surfaces[1];
  ClimateState climate;
  const StepController::Attempt attempt = [&](double start, double dt) {
    climate = climateAt(c, start + dt);
    const SideClimate& a = climate.sides[0];
    const SideClimate& b = climate.sides[1];
    StepOutcome out;
    double humidityChange = 0.0, temperatureChange = 0.0;
    const double ha = std::isnan(a.heatTransfer) ? sa.heatTransfer : a.heatTransfer;
    const double hb = std::isnan(b.heatTransfer) ? sb.heatTransfer : b.heatTransfer;
    std::unique_lock lock(kernelMutex());
    out.result =
        tamoStep2(handle, ha, sa.sd, a.temperature, a.humidity, a.radiation, a.counterRadiation,
                  a.rain, hb, sb.sd, b.temperature, b.humidity, b.radiation, b.counterRadiation,
                  b.rain, climate.pressure, dt, 0, temperature_.data(), humidity_.data(),
                  water_.data(), &out.iterations, &humidityChange, &temperatureChange, &out.status);
    lock.unlock();
    if (out.result == TAMO_OK || out.result == TAMO_DIVERGED) {
      out.nonFinite = findNonFinite(grid_, temperature_, humidity_, water_);
    }
    return out;
  };
  const StepController::Action save = [&] {
    savedTemperature_ = temperature_;
    savedHumidity_ = humidity_;
  };
  const StepController::Action restore = [&] {
    temperature_ = savedTemperature_;
    humidity_ = savedHumidity_;
  };
  StepController::Accepted accepted;
  if (!observers_.empty() && !replaying_) {
    accepted = [&](double end, double dt) {
      const StepView view{end, dt, grid_, temperature_, humidity_, water_, climate, handle};
      for (auto& o : observers_) o->accepted(view);
    };
  }

  const StepController controller(c.time.minimumStep, c.solver.repeatUnconverged);
  const long lastInterval =
      std::min(intervals_, std::max(interval_ + 1, std::lround(untilSeconds / c.time.step)));
  const auto wallStart = std::chrono::steady_clock::now();
  Advance result = Advance::Reached;
  while (interval_ < std::min(lastInterval, intervals_)) {  // an observer may end the run
    const long interval = interval_ + 1;
    const double start = static_cast<double>(interval - 1) * c.time.step;
    const double end = static_cast<double>(interval) * c.time.step;
    if (!controller.advance(start, end - start, attempt, save, restore, accepted,
                            summary_.statistics, &summary_.failure)) {
      stopped_ = true;
      result = Advance::Stopped;
      break;
    }
    interval_ = interval;
    summary_.simulated = end;
    if (replaying_) continue;
    for (const auto& o : observers_) {
      if (o->finished()) intervals_ = interval_;  // the rest of the duration is not needed
    }
    observeExtremes();
    const bool seriesRow = series_ && interval % seriesEvery_ == 0;
    const bool profileRow = profiles_ && nextProfile_ < c.profiles.times.size() &&
                            c.profiles.times[nextProfile_] <= end + 1e-6;
    if (seriesRow || profileRow) probe_->refresh(temperature_, humidity_);
    if (seriesRow) {
      series_->record(end, climateAt(c, end), temperature_, humidity_, *probe_,
                      summary_.statistics.iterations - iterationsAtLastRow_);
      iterationsAtLastRow_ = summary_.statistics.iterations;
    }
    if (profileRow) {
      profiles_->record(end, grid_, temperature_, humidity_, *probe_);
      while (nextProfile_ < c.profiles.times.size() &&
             c.profiles.times[nextProfile_] <= end + 1e-6) {
        ++nextProfile_;
      }
    }
    if (intervalHook_) intervalHook_(end);
    if (progress && progress(end, c.time.duration) && interval_ < intervals_) {
      result = Advance::Cancelled;
      break;
    }
  }
  summary_.wallSeconds +=
      std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
  summary_.completed = interval_ >= intervals_ && !stopped_;
  refreshEndOfRun();
  return result;
}

std::vector<SummaryItem> Simulation::summaryItems() const {
  const RunSummary& s = summary_;
  std::vector<SummaryItem> items;
  const double none = std::numeric_limits<double>::quiet_NaN();
  items.push_back({"simulated", s.simulated / 3600.0, "h", none, ""});
  items.push_back({"cells", static_cast<double>(s.cells), "-", none, ""});
  items.push_back({"steps", static_cast<double>(s.statistics.steps), "-", none, ""});
  items.push_back({"halvings", static_cast<double>(s.statistics.halvings), "-", none, ""});
  items.push_back({"total_water_start", s.totalWaterStart, "kg/m2", none, ""});
  items.push_back({"total_water_end", s.totalWaterEnd, "kg/m2", none, ""});
  for (std::size_t l = 0; l < s.layerWaterEnd.size(); ++l) {
    const std::string layer = std::to_string(l + 1);
    items.push_back(
        {"layer_water_content_start_" + layer, s.layerWaterStart[l], "kg/m3", none, ""});
    items.push_back({"layer_water_content_end_" + layer, s.layerWaterEnd[l], "kg/m3", none, ""});
  }
  const char* side[2] = {"a", "b"};
  for (int i = 0; i < 2; ++i) {
    items.push_back({std::string("surface_temperature_min_") + side[i], s.surfaceTemperatureMin[i],
                     "degC", none, ""});
    items.push_back({std::string("surface_temperature_max_") + side[i], s.surfaceTemperatureMax[i],
                     "degC", none, ""});
    items.push_back(
        {std::string("surface_humidity_max_") + side[i], s.surfaceHumidityMax[i], "-", none, ""});
  }
  for (const SummaryItem& item : observerItems()) items.push_back(item);
  return items;
}

std::vector<ObserverTable> Simulation::observerTables() {
  std::vector<ObserverTable> tables;
  for (const auto& o : observers_) o->tables(tables);
  return tables;
}

std::vector<SummaryItem> Simulation::observerItems() const {
  std::vector<SummaryItem> items;
  for (const auto& o : observers_) o->summarise(items);
  return items;
}

}  // namespace tamo1d
