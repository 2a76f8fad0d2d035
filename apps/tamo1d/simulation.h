// Runs a checked case through the library: defines the model, steps through the duration
// with the host's step control, writes the outputs and collects the summary figures.
#ifndef TAMO1D_SIMULATION_H
#define TAMO1D_SIMULATION_H

#include <memory>
#include <string>
#include <vector>

#include "case_model.h"
#include "grid_builder.h"
#include "kernel_model.h"
#include "step_control.h"

namespace tamo1d {

struct RunOptions {
  std::string outputDirectory;  // base of relative output paths; "" = working directory
  bool progress = true;         // progress bar on stderr when it is a terminal
};

struct RunSummary {
  bool completed = false;
  std::string failure;     // why the run stopped early
  double simulated = 0.0;  // s reached
  StepStatistics statistics;
  double wallSeconds = 0.0;                            // wall time of the time loop, s
  int cells = 0;                                       // interior nodes
  double totalWaterStart = 0.0, totalWaterEnd = 0.0;   // kg/m2
  std::vector<double> layerWaterStart, layerWaterEnd;  // kg/m3, per layer
  double surfaceTemperatureMin[2] = {0, 0}, surfaceTemperatureMax[2] = {0, 0};  // degC
  double surfaceHumidityMax[2] = {0, 0};                                        // -
  std::vector<std::string> files;                                               // outputs written
};

class Simulation {
 public:
  // Builds the grid and defines the model; throws CaseError when the library refuses it.
  explicit Simulation(const Case& c);

  // Opens the outputs (CaseError when one cannot be created; nothing is left behind), then
  // runs the time loop.
  RunSummary run(const RunOptions& options);

 private:
  const Case& case_;
  std::vector<std::string> order_;      // library material k = order_[k-1]
  std::vector<int32_t> layerMaterial_;  // per layer: library material number
  Grid grid_;
  KernelContext context_;
};

}  // namespace tamo1d

#endif
