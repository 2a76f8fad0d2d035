// Extension point for the run summary: one line of the summary as the command line prints
// it and as Python and studies read it (tamoHostSummaryItem).
#ifndef TAMO1D_SUMMARY_ITEM_H
#define TAMO1D_SUMMARY_ITEM_H

#include <limits>
#include <string>

namespace tamo1d {

struct SummaryItem {
  std::string name;  // "total_water_end", "mould_index_max_monitor_1", ...
  double value = 0.0;
  std::string unit;                                         // "kg/m2", "-", "h", ...
  double limit = std::numeric_limits<double>::quiet_NaN();  // NaN: the item is no judgement
  std::string verdict;                                      // "" or e.g. "pass", "FAIL: ..."
};

}  // namespace tamo1d

#endif
