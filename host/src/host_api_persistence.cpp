// The C entry points of streamed outputs, checkpoints and resuming (tamo1dhost.h).
#include "host_run.h"
#include "run_persistence.h"

namespace {

tamo1d::RunPersistence& persistenceOf(TamoHostRun& run) {
  if (!run.persistence) run.persistence = std::make_unique<tamo1d::RunPersistence>(*run.simulation);
  return *run.persistence;
}

}  // namespace

extern "C" {

int32_t tamoHostStreamOutputs(TamoHostRun* run, const char* outputDir, int32_t keepTables) {
  if (!run) return TAMO_HOST_INVALID;
  if (!run->simulation) return TAMO_HOST_BAD_INPUT;
  return tamo1d::guarded(run, [&] {
    persistenceOf(*run).streamOutputs(tamo1d::text(outputDir), keepTables != 0);
    return TAMO_HOST_OK;
  });
}

int32_t tamoHostSetCheckpoint(TamoHostRun* run, const char* path, double intervalHours) {
  if (!run || !path || !*path) return TAMO_HOST_INVALID;
  if (!run->simulation) return TAMO_HOST_BAD_INPUT;
  return tamo1d::guarded(run, [&] {
    persistenceOf(*run).setCheckpoint(path, intervalHours * 3600.0);
    return TAMO_HOST_OK;
  });
}

int32_t tamoHostWriteCheckpoint(TamoHostRun* run) {
  if (!run || !run->persistence || run->persistence->checkpointPath().empty()) {
    return TAMO_HOST_INVALID;
  }
  return tamo1d::guarded(run, [&] {
    run->persistence->writeCheckpoint();
    return TAMO_HOST_OK;
  });
}

int32_t tamoHostResume(TamoHostRun* run) {
  if (!run || !run->persistence || run->persistence->checkpointPath().empty()) {
    return TAMO_HOST_INVALID;
  }
  return tamo1d::guarded(run, [&] {
    run->persistence->resume();
    return TAMO_HOST_OK;
  });
}

}  // extern "C"
