// The case section "assessment": monitors at which the run is judged (mould growth, the
// running-mean surface humidity criterion, wood moisture, freeze-thaw cycles) and the
// repetition of the year until a dynamic equilibrium. See docs/case_format.md.
#ifndef TAMO1D_ASSESSMENT_SECTION_H
#define TAMO1D_ASSESSMENT_SECTION_H

#include <string>
#include <vector>

#include "assessment/monitor_assessment.h"
#include "case_model.h"
#include "json_fields.h"
#include "monitor_position.h"

namespace tamo1d {

struct MonitorDefinition {
  std::string name;
  MonitorPosition position;
  assessment::MonitorSettings settings;  // material data (wood density, w_max) added per run
  std::string mouldClass;                // as written in the case
};

struct AssessmentDefinition {
  std::vector<MonitorDefinition> monitors;
  std::string filePrefix;  // "" = no monitor files; else <prefix><name>.csv per monitor
  bool equilibrium = false;
  double tolerance = 0.01;  // fraction of the previous year's total water
  int maximumYears = 10;
  double yearSeconds = 0.0;  // length of the repeated period: the case's duration
};

// Reads the section into an observer factory added to c.observers; with "equilibrium" the
// case's duration becomes maximumYears times its own length. Throws CaseError.
void readAssessmentSection(FieldReader& r, const std::string& baseDirectory, Case& c);

}  // namespace tamo1d

#endif
