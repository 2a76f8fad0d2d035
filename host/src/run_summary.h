// The summary printed at the end of a run.
#ifndef TAMO1D_RUN_SUMMARY_H
#define TAMO1D_RUN_SUMMARY_H

#include <ostream>
#include <string>
#include <vector>

#include "case_model.h"
#include "simulation.h"

namespace tamo1d {

// The core lines, then one line per module item (name, value, unit, limit, verdict), then
// the files written.
void printSummary(std::ostream& out, const Case& c, const RunSummary& s,
                  const std::vector<SummaryItem>& moduleItems,
                  const std::vector<std::string>& files);

}  // namespace tamo1d

#endif
