// Runs a checked case through the library: defines the model, steps through the duration
// with the host's step control (in as many calls to advance as the caller likes), records
// the outputs in memory, feeds the step observers and collects the summary.
#ifndef TAMO1D_SIMULATION_H
#define TAMO1D_SIMULATION_H

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "case_model.h"
#include "grid_builder.h"
#include "kernel_model.h"
#include "profile_recorder.h"
#include "result_probe.h"
#include "series_recorder.h"
#include "step_control.h"
#include "summary_item.h"

namespace tamo1d {

struct RunSummary {
  bool completed = false;  // the whole duration is simulated
  std::string failure;     // why the run stopped early
  double simulated = 0.0;  // s reached
  StepStatistics statistics;
  double wallSeconds = 0.0;                            // wall time of the time loop, s
  int cells = 0;                                       // interior nodes
  double totalWaterStart = 0.0, totalWaterEnd = 0.0;   // kg/m2, sum over the layers
  std::vector<double> layerWaterStart, layerWaterEnd;  // kg/m3, per layer
  double surfaceTemperatureMin[2] = {0, 0}, surfaceTemperatureMax[2] = {0, 0};  // degC
  double surfaceHumidityMax[2] = {0, 0};                                        // -
};

class Simulation {
 public:
  enum class Advance { Reached, Stopped, Cancelled };
  // simulated and total seconds; returns true to cancel.
  using Progress = std::function<bool(double simulated, double total)>;

  // Builds the grid, defines the model and records the initial state; throws CaseError
  // when the library refuses the model.
  explicit Simulation(std::shared_ptr<const Case> c);

  // Runs until `untilSeconds` (clamped to the duration) or the end.
  Advance advance(double untilSeconds, const Progress& progress);
  bool finished() const { return stopped_ || interval_ >= intervals_; }

  const Case& definition() const { return *case_; }
  const Grid& grid() const { return grid_; }
  const RunSummary& summary() const { return summary_; }
  // The core items (water, surfaces, steps) followed by the observers' items.
  std::vector<SummaryItem> summaryItems() const;
  std::vector<SummaryItem> observerItems() const;
  std::vector<ObserverTable> observerTables();
  const OutputTable* series() const { return series_ ? &series_->table() : nullptr; }
  const OutputTable* profiles() const { return profiles_ ? &profiles_->table() : nullptr; }

  // Called after every completed interval with its end (s), before the progress callback;
  // periodic checkpoints hang here (run_persistence.h).
  void onInterval(std::function<void(double end)> hook) { intervalHook_ = std::move(hook); }

 private:
  friend class RunPersistence;  // checkpoints read and restore the run state

  void observeExtremes();
  void refreshEndOfRun();

  std::shared_ptr<const Case> case_;
  std::vector<std::string> order_;      // library material k = order_[k-1]
  std::vector<int32_t> layerMaterial_;  // per layer: library material number
  Grid grid_;
  KernelContext context_;
  std::vector<double> temperature_, humidity_, water_;  // n node entries
  std::vector<double> savedTemperature_, savedHumidity_;
  std::optional<ResultProbe> probe_;
  std::optional<SeriesRecorder> series_;
  std::optional<ProfileRecorder> profiles_;
  std::vector<std::unique_ptr<StepObserver>> observers_;
  RunSummary summary_;
  long interval_ = 0, intervals_ = 0, seriesEvery_ = 1;
  std::size_t nextProfile_ = 0;
  long long iterationsAtLastRow_ = 0;
  bool stopped_ = false;
  bool replaying_ = false;  // library steps only: no extremes, outputs, observers or hooks
  std::function<void(double)> intervalHook_;
};

}  // namespace tamo1d

#endif
