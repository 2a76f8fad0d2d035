// Follows a run step by step for the case's assessment: the state of every monitor after
// each accepted step (halved steps included) feeds its assessment models and its table;
// with the equilibrium option the total water at the end of each repeated year decides
// whether another year is needed.
#ifndef TAMO1D_ASSESSMENT_OBSERVER_H
#define TAMO1D_ASSESSMENT_OBSERVER_H

#include <memory>
#include <optional>
#include <vector>

#include "assessment/dynamic_equilibrium.h"
#include "assessment/monitor_assessment.h"
#include "assessment_section.h"
#include "output_table.h"
#include "step_observer.h"

namespace tamo1d {

class AssessmentObserver : public StepObserver {
 public:
  AssessmentObserver(std::shared_ptr<const AssessmentDefinition> definition, const Grid& grid);

  void start(const StepView& state) override;
  void accepted(const StepView& state) override;
  void summarise(std::vector<SummaryItem>& items) const override;
  void tables(std::vector<ObserverTable>& out) override;
  bool finished() const override { return finished_; }
  // The models' state; the tables travel with the run's other tables.
  bool saveState(std::string& bytes) const override;
  bool restoreState(const std::string& bytes) override;

 private:
  struct Monitor {
    const MonitorDefinition* definition;
    int node;          // library node number
    int32_t material;  // library material number
    assessment::MonitorAssessment assessment;
    OutputTable table;
  };

  void record(Monitor& m, const StepView& state);
  void endOfYear(const StepView& state);

  std::shared_ptr<const AssessmentDefinition> definition_;
  const Grid& grid_;
  std::vector<Monitor> monitors_;
  std::vector<double> row_;  // one table row, reused
  std::optional<assessment::DynamicEquilibrium> equilibrium_;
  OutputTable years_;
  long yearsSeen_ = 0;
  bool finished_ = false;
};

}  // namespace tamo1d

#endif
