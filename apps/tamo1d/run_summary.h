// The summary printed at the end of a run.
#ifndef TAMO1D_RUN_SUMMARY_H
#define TAMO1D_RUN_SUMMARY_H

#include <ostream>

#include "case_model.h"
#include "simulation.h"

namespace tamo1d {

void printSummary(std::ostream& out, const Case& c, const RunSummary& s);

}  // namespace tamo1d

#endif
