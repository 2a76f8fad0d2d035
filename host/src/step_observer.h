// Extension point for whatever follows the run step by step (monitors, assessments,
// checkpoints): an observer sees the state after every accepted library step (steps
// halved by the step control included), not only at the output times, and appends its
// results to the run summary. Observers are created per run by the factories a case
// section registers in Case::observers (see host_modules.cpp).
#ifndef TAMO1D_STEP_OBSERVER_H
#define TAMO1D_STEP_OBSERVER_H

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "climate_provider.h"
#include "summary_item.h"

namespace tamo1d {

struct Grid;
struct Case;
class OutputTable;

// The state after a step. Node arrays are C arrays of n entries (entry k-1 = node k;
// entries 0 and n-1 the ambient air, see Grid for the layer map). Valid during the call.
struct StepView {
  double time = 0.0;  // s since the start, at the end of the step
  double step = 0.0;  // s, length of the step just accepted (0 for the initial state)
  const Grid& grid;
  const std::vector<double>& temperature;   // degC
  const std::vector<double>& humidity;      // relative humidity, fraction
  const std::vector<double>& waterContent;  // kg/m3 as the step returned it
  const ClimateState& climate;              // the climate the step was driven with
  int32_t kernel = 0;  // library context of the run, for queries of material functions
};

// A table an observer keeps: readable by name through the C interface and written as CSV
// to `file` when it is not empty (`field` names the case field of the file in messages).
struct ObserverTable {
  std::string name;
  std::string file;
  std::string field;
  OutputTable* table = nullptr;
};

class StepObserver {
 public:
  virtual ~StepObserver() = default;
  // The initial state (step 0) before the first step.
  virtual void start(const StepView& /*state*/) {}
  // After every accepted step. Keep it cheap: it runs on the time loop.
  virtual void accepted(const StepView& state) = 0;
  // Appends this observer's lines to the summary (called when the summary is read).
  virtual void summarise(std::vector<SummaryItem>& /*items*/) const {}
  // Appends the tables this observer keeps (the run streams and checkpoints them with its
  // other tables, so that the observer's own state need not hold them).
  virtual void tables(std::vector<ObserverTable>& /*out*/) {}
  // True when the run may end after the current normal step (a dynamic equilibrium
  // reached, for example); the run then counts as complete.
  virtual bool finished() const { return false; }
  // Checkpoints: appends the observer's state to `bytes` / restores it from what
  // saveState wrote. An observer keeping state between steps implements both; the
  // defaults answer false, so that a run with such an observer is never resumed with its
  // state silently reset (the checkpoint is refused instead).
  virtual bool saveState(std::string& /*bytes*/) const { return false; }
  virtual bool restoreState(const std::string& /*bytes*/) { return false; }
};

using StepObserverFactory =
    std::function<std::unique_ptr<StepObserver>(const Case& c, const Grid& grid)>;

}  // namespace tamo1d

#endif
