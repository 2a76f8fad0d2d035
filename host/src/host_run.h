// The state behind a TamoHostRun handle and the guard of every C entry point, shared by
// the files that implement tamo1dhost.h.
#ifndef TAMO1D_HOST_RUN_H
#define TAMO1D_HOST_RUN_H

#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "case_error.h"
#include "case_model.h"
#include "run_persistence.h"
#include "simulation.h"
#include "tamo1dhost.h"

struct TamoHostRun {
  std::shared_ptr<const tamo1d::Case> definition;
  std::unique_ptr<tamo1d::Simulation> simulation;
  std::unique_ptr<tamo1d::RunPersistence> persistence;  // streams and checkpoints, when asked
  std::string message;
  std::vector<std::string> written;
  std::vector<tamo1d::SummaryItem> items;     // the last summary read
  std::vector<tamo1d::ObserverTable> tables;  // the observers' tables, fixed at open
  std::string summaryText;
};

namespace tamo1d {

// Runs body() and turns every exception into a result code, the message kept in the run.
template <typename F>
int32_t guarded(TamoHostRun* run, F&& body) {
  try {
    return body();
  } catch (const CaseError& e) {
    if (run) run->message = e.what();
    return TAMO_HOST_BAD_INPUT;
  } catch (const std::bad_alloc&) {
    if (run) run->message = "out of memory";
    return TAMO_HOST_NO_MEMORY;
  } catch (const std::exception& e) {
    if (run) run->message = e.what();
    return TAMO_HOST_STOPPED;
  } catch (...) {
    if (run) run->message = "unexpected failure";
    return TAMO_HOST_STOPPED;
  }
}

inline std::string text(const char* s) {
  return s ? std::string(s) : std::string();
}

}  // namespace tamo1d

#endif
