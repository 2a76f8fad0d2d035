#include "simulation.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <optional>

#include "case_error.h"
#include "climate_state.h"
#include "profile_writer.h"
#include "progress_bar.h"
#include "result_probe.h"
#include "series_writer.h"
#include "tamo1dkernel.h"

namespace tamo1d {

namespace {

std::string outputPath(const std::string& directory, const std::string& file) {
  std::filesystem::path p(file);
  if (p.is_relative() && !directory.empty()) p = std::filesystem::path(directory) / p;
  return p.string();
}

}  // namespace

Simulation::Simulation(const Case& c)
    : case_(c), order_(materialOrder(c)), grid_(buildCaseGrid(c, order_)) {
  for (const LayerDefinition& l : c.layers) {
    const auto it = std::find(order_.begin(), order_.end(), l.material);
    layerMaterial_.push_back(static_cast<int32_t>(it - order_.begin()) + 1);
  }
  defineModel(context_, c, grid_, order_);
}

RunSummary Simulation::run(const RunOptions& options) {
  const Case& c = case_;
  RunSummary summary;
  const int layerCount = static_cast<int>(c.layers.size());

  // Outputs first, so that a file that cannot be created stops the run before any step.
  std::optional<SeriesWriter> series;
  std::optional<ProfileWriter> profiles;
  const std::string seriesPath = outputPath(options.outputDirectory, c.series.file);
  const std::string profilePath = outputPath(options.outputDirectory, c.profiles.file);
  try {
    if (!c.series.file.empty()) {
      series.emplace(seriesPath, c.series.quantities, layerCount);
      summary.files.push_back(seriesPath);
    }
    if (!c.profiles.file.empty()) {
      profiles.emplace(profilePath, c.profiles.quantities);
      summary.files.push_back(profilePath);
    }
  } catch (const std::exception& e) {
    const bool seriesFailed = !series.has_value() && !c.series.file.empty();
    series.reset();
    for (const std::string& f : summary.files) {
      std::error_code ec;
      std::filesystem::remove(f, ec);
    }
    throw CaseError(c.file, seriesFailed ? "outputs.time_series.file" : "outputs.profiles.file",
                    std::string("the output file cannot be created: ") + e.what());
  }

  // Node state: n entries, node k in entry k-1; the ambient entries take the climate.
  const std::size_t n = static_cast<std::size_t>(grid_.nodeCount());
  std::vector<double> temperature(n), humidity(n), water(n);
  std::vector<double> savedTemperature(n), savedHumidity(n);
  for (std::size_t i = 1; i + 1 < n; ++i) {
    const LayerDefinition& l = c.layers[static_cast<std::size_t>(grid_.layerOfNode[i])];
    temperature[i] = l.initialTemperature;
    humidity[i] = l.initialHumidity;
  }
  const ClimateState startClimate = climateAt(c, 0.0);
  temperature[0] = startClimate.sides[0].temperature;
  humidity[0] = startClimate.sides[0].humidity;
  temperature[n - 1] = startClimate.sides[1].temperature;
  humidity[n - 1] = startClimate.sides[1].humidity;

  ResultProbe probe(context_.handle(), grid_, layerMaterial_, static_cast<int32_t>(order_.size()));
  probe.refresh(temperature, humidity);
  summary.cells = grid_.interfaceCount() - 1;
  summary.totalWaterStart = probe.totalWater();
  for (int l = 0; l < layerCount; ++l)
    summary.layerWaterStart.push_back(probe.layerWaterContent(l));
  for (int s = 0; s < 2; ++s) {
    const std::size_t node = s == 0 ? 1 : n - 2;
    summary.surfaceTemperatureMin[s] = summary.surfaceTemperatureMax[s] = temperature[node];
    summary.surfaceHumidityMax[s] = humidity[node];
  }

  std::size_t nextProfile = 0;
  if (profiles && c.profiles.times.front() <= 0.0) {
    profiles->write(0.0, grid_, temperature, humidity, probe);
    nextProfile = 1;
  }

  const int32_t handle = context_.handle();
  const SurfaceDefinition& sa = c.surfaces[0];
  const SurfaceDefinition& sb = c.surfaces[1];
  const StepController::Attempt attempt = [&](double start, double dt) {
    const ClimateState k = climateAt(c, start + dt);
    const SideClimate& a = k.sides[0];
    const SideClimate& b = k.sides[1];
    StepOutcome out;
    double humidityChange = 0.0, temperatureChange = 0.0;
    out.result = tamoStep2(handle, sa.heatTransfer, sa.sd, a.temperature, a.humidity, a.radiation,
                           a.counterRadiation, a.rain, sb.heatTransfer, sb.sd, b.temperature,
                           b.humidity, b.radiation, b.counterRadiation, b.rain, k.pressure, dt, 0,
                           temperature.data(), humidity.data(), water.data(), &out.iterations,
                           &humidityChange, &temperatureChange, &out.status);
    return out;
  };
  const StepController::Action save = [&] {
    savedTemperature = temperature;
    savedHumidity = humidity;
  };
  const StepController::Action restore = [&] {
    temperature = savedTemperature;
    humidity = savedHumidity;
  };

  const StepController controller(c.time.minimumStep, c.solver.repeatUnconverged);
  const long intervals = std::lround(c.time.duration / c.time.step);
  const long seriesEvery = std::max(1L, std::lround(c.series.interval / c.time.step));
  ProgressBar progress(c.time.duration, options.progress);
  long long iterationsAtLastRow = 0;

  const auto wallStart = std::chrono::steady_clock::now();
  summary.completed = true;
  for (long interval = 1; interval <= intervals; ++interval) {
    const double start = static_cast<double>(interval - 1) * c.time.step;
    const double end = static_cast<double>(interval) * c.time.step;
    if (!controller.advance(start, end - start, attempt, save, restore, summary.statistics,
                            &summary.failure)) {
      summary.completed = false;
      break;
    }
    summary.simulated = end;
    for (int s = 0; s < 2; ++s) {
      const std::size_t node = s == 0 ? 1 : n - 2;
      summary.surfaceTemperatureMin[s] =
          std::min(summary.surfaceTemperatureMin[s], temperature[node]);
      summary.surfaceTemperatureMax[s] =
          std::max(summary.surfaceTemperatureMax[s], temperature[node]);
      summary.surfaceHumidityMax[s] = std::max(summary.surfaceHumidityMax[s], humidity[node]);
    }
    const bool seriesRow = series && interval % seriesEvery == 0;
    const bool profileRow = profiles && nextProfile < c.profiles.times.size() &&
                            c.profiles.times[nextProfile] <= end + 1e-6;
    if (seriesRow || profileRow) probe.refresh(temperature, humidity);
    if (seriesRow) {
      series->write(end, climateAt(c, end), temperature, humidity, probe,
                    summary.statistics.iterations - iterationsAtLastRow);
      iterationsAtLastRow = summary.statistics.iterations;
    }
    if (profileRow) {
      profiles->write(end, grid_, temperature, humidity, probe);
      while (nextProfile < c.profiles.times.size() && c.profiles.times[nextProfile] <= end + 1e-6) {
        ++nextProfile;
      }
    }
    progress.update(end);
  }
  summary.wallSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
  progress.finish();

  probe.refresh(temperature, humidity);
  summary.totalWaterEnd = probe.totalWater();
  for (int l = 0; l < layerCount; ++l) summary.layerWaterEnd.push_back(probe.layerWaterContent(l));
  bool written = true;
  if (series) {
    series->close();
    written = written && series->good();
  }
  if (profiles) {
    profiles->close();
    written = written && profiles->good();
  }
  if (!written && summary.completed) {
    summary.completed = false;
    summary.failure = "writing an output file failed (disk full?)";
  }
  return summary;
}

}  // namespace tamo1d
