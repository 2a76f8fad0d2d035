// The C boundary of the host library: every entry point catches everything and answers
// with a result code; messages stay in the run for tamoHostMessage.
#include <cmath>
#include <filesystem>
#include <limits>
#include <memory>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "case_loader.h"
#include "host_run.h"
#include "material_catalogue.h"
#include "run_summary.h"
#include "simulation.h"
#include "tamo1dhost.h"

namespace {

using tamo1d::guarded;
using tamo1d::OutputTable;
using tamo1d::text;

const OutputTable* tableOf(const TamoHostRun* run, int32_t table) {
  if (!run || !run->simulation) return nullptr;
  if (table == TAMO_HOST_SERIES) return run->simulation->series();
  if (table == TAMO_HOST_PROFILES) return run->simulation->profiles();
  const std::size_t i = static_cast<std::size_t>(table) - TAMO_HOST_OBSERVER_TABLES;
  return table >= TAMO_HOST_OBSERVER_TABLES && i < run->tables.size() ? run->tables[i].table
                                                                      : nullptr;
}

std::string outputPath(const std::string& directory, const std::string& file) {
  std::filesystem::path p(file);
  if (p.is_relative() && !directory.empty()) p = std::filesystem::path(directory) / p;
  return p.string();
}

int32_t open(TamoHostRun** run,
             const std::function<tamo1d::Case(const tamo1d::MaterialCatalogue&)>& load,
             const char* catalogue) {
  if (!run) return TAMO_HOST_INVALID;
  *run = new (std::nothrow) TamoHostRun;
  if (!*run) return TAMO_HOST_NO_MEMORY;
  TamoHostRun* r = *run;
  return guarded(r, [&] {
    const auto list = tamo1d::MaterialCatalogue::standard(text(catalogue));
    r->definition = std::make_shared<const tamo1d::Case>(load(list));
    r->simulation = std::make_unique<tamo1d::Simulation>(r->definition);
    r->tables = r->simulation->observerTables();
    return TAMO_HOST_OK;
  });
}

struct Output {
  std::string path;
  const OutputTable* table;
  std::string field;  // case field of the file, for messages
};

// The case's outputs under directory: series, profiles and the observers' files.
std::vector<Output> outputs(const TamoHostRun* run, const std::string& directory) {
  std::vector<Output> list;
  const tamo1d::Case& c = *run->definition;
  if (!c.series.file.empty()) {
    list.push_back({outputPath(directory, c.series.file), run->simulation->series(),
                    "outputs.time_series.file"});
  }
  if (!c.profiles.file.empty()) {
    list.push_back({outputPath(directory, c.profiles.file), run->simulation->profiles(),
                    "outputs.profiles.file"});
  }
  for (const tamo1d::ObserverTable& t : run->tables) {
    if (!t.file.empty()) list.push_back({outputPath(directory, t.file), t.table, t.field});
  }
  return list;
}

}  // namespace

extern "C" {

const char* tamoHostVersion(void) {
  return TAMO1DHOST_VERSION_STRING;
}

int32_t tamoHostOpenFile(const char* path, const char* catalogue, TamoHostRun** run) {
  if (!path) return TAMO_HOST_INVALID;
  return open(
      run, [&](const tamo1d::MaterialCatalogue& list) { return tamo1d::loadCase(path, list); },
      catalogue);
}

int32_t tamoHostOpenText(const char* json, const char* name, const char* catalogue,
                         const char* baseDir, TamoHostRun** run) {
  if (!json) return TAMO_HOST_INVALID;
  return open(
      run,
      [&](const tamo1d::MaterialCatalogue& list) {
        const std::string source = text(name).empty() ? "<case>" : text(name);
        return tamo1d::parseCase(json, source, list, text(baseDir));
      },
      catalogue);
}

const char* tamoHostMessage(const TamoHostRun* run) {
  return run ? run->message.c_str() : "";
}

int32_t tamoHostWarningCount(const TamoHostRun* run) {
  return run && run->definition ? static_cast<int32_t>(run->definition->warnings.size()) : 0;
}

const char* tamoHostWarning(const TamoHostRun* run, int32_t index) {
  if (index < 0 || index >= tamoHostWarningCount(run)) return nullptr;
  return run->definition->warnings[static_cast<std::size_t>(index)].c_str();
}

const char* tamoHostTitle(const TamoHostRun* run) {
  return run && run->definition ? run->definition->title.c_str() : "";
}

double tamoHostDuration(const TamoHostRun* run) {
  return run && run->definition ? run->definition->time.duration : 0.0;
}

double tamoHostSimulated(const TamoHostRun* run) {
  return run && run->simulation ? run->simulation->summary().simulated : 0.0;
}

int32_t tamoHostCellCount(const TamoHostRun* run) {
  return run && run->simulation ? run->simulation->summary().cells : 0;
}

int32_t tamoHostCheckOutputs(TamoHostRun* run, const char* outputDir) {
  if (!run) return TAMO_HOST_INVALID;
  if (!run->simulation) return TAMO_HOST_BAD_INPUT;
  return guarded(run, [&] {
    for (const Output& out : outputs(run, text(outputDir))) {
      const std::string problem = tamo1d::probeWritable(out.path);
      if (!problem.empty()) {
        throw tamo1d::CaseError(run->definition->file, out.field,
                                "the output file cannot be written: " + problem);
      }
    }
    return TAMO_HOST_OK;
  });
}

int32_t tamoHostAdvance(TamoHostRun* run, double hours, TamoHostProgress progress, void* user) {
  if (!run) return TAMO_HOST_INVALID;
  if (!run->simulation) return TAMO_HOST_BAD_INPUT;
  return guarded(run, [&] {
    tamo1d::Simulation& s = *run->simulation;
    const double duration = run->definition->time.duration;
    const double until = hours > 0.0 && std::isfinite(hours)
                             ? std::min(duration, s.summary().simulated + hours * 3600.0)
                             : duration;
    tamo1d::Simulation::Progress report;
    if (progress) {
      report = [&](double done, double total) { return progress(done, total, user) != 0; };
    }
    if (run->persistence) run->persistence->beforeAdvance();
    switch (s.advance(until, report)) {
      case tamo1d::Simulation::Advance::Reached:
        return TAMO_HOST_OK;
      case tamo1d::Simulation::Advance::Cancelled:
        run->message = "cancelled";
        return TAMO_HOST_CANCELLED;
      case tamo1d::Simulation::Advance::Stopped:
        break;
    }
    run->message = s.summary().failure;
    return TAMO_HOST_STOPPED;
  });
}

int32_t tamoHostFinished(const TamoHostRun* run) {
  return run && run->simulation && run->simulation->finished() ? 1 : 0;
}

int32_t tamoHostTableCount(const TamoHostRun* run) {
  if (!run || !run->simulation) return 0;
  return TAMO_HOST_OBSERVER_TABLES + static_cast<int32_t>(run->tables.size());
}

const char* tamoHostTableName(const TamoHostRun* run, int32_t table) {
  if (table == TAMO_HOST_SERIES) return "series";
  if (table == TAMO_HOST_PROFILES) return "profiles";
  if (table < TAMO_HOST_OBSERVER_TABLES || table >= tamoHostTableCount(run)) return nullptr;
  return run->tables[static_cast<std::size_t>(table - TAMO_HOST_OBSERVER_TABLES)].name.c_str();
}

int32_t tamoHostColumnCount(const TamoHostRun* run, int32_t table) {
  const OutputTable* t = tableOf(run, table);
  return t ? t->columnCount() : 0;
}

const char* tamoHostColumnName(const TamoHostRun* run, int32_t table, int32_t column) {
  const OutputTable* t = tableOf(run, table);
  return t && column >= 0 && column < t->columnCount() ? t->name(column).c_str() : nullptr;
}

const char* tamoHostColumnUnit(const TamoHostRun* run, int32_t table, int32_t column) {
  const OutputTable* t = tableOf(run, table);
  return t && column >= 0 && column < t->columnCount() ? t->unit(column).c_str() : nullptr;
}

int32_t tamoHostRowCount(const TamoHostRun* run, int32_t table) {
  const OutputTable* t = tableOf(run, table);
  return t ? t->rowCount() : 0;
}

int32_t tamoHostGetColumn(const TamoHostRun* run, int32_t table, const char* name, double* values,
                          int32_t capacity, int32_t* count) {
  const OutputTable* t = tableOf(run, table);
  if (!t || !name || !count || (capacity > 0 && !values)) return TAMO_HOST_INVALID;
  const int c = t->find(name);
  if (c < 0) return TAMO_HOST_INVALID;
  const std::vector<double>& column = t->column(c);
  const std::size_t n = std::min(column.size(), static_cast<std::size_t>(std::max(capacity, 0)));
  std::copy(column.begin(), column.begin() + static_cast<std::ptrdiff_t>(n), values);
  *count = static_cast<int32_t>(n);
  return TAMO_HOST_OK;
}

int32_t tamoHostSummaryCount(const TamoHostRun* run) {
  if (!run || !run->simulation) return 0;
  auto* mutableRun = const_cast<TamoHostRun*>(run);
  return guarded(mutableRun, [&] {
    mutableRun->items = run->simulation->summaryItems();
    return static_cast<int32_t>(mutableRun->items.size());
  });
}

int32_t tamoHostSummaryItem(const TamoHostRun* run, int32_t index, const char** name, double* value,
                            const char** unit, double* limit, const char** verdict) {
  if (!run || index < 0 || static_cast<std::size_t>(index) >= run->items.size()) {
    return TAMO_HOST_INVALID;
  }
  const tamo1d::SummaryItem& item = run->items[static_cast<std::size_t>(index)];
  if (name) *name = item.name.c_str();
  if (value) *value = item.value;
  if (unit) *unit = item.unit.c_str();
  if (limit) *limit = item.limit;
  if (verdict) *verdict = item.verdict.c_str();
  return TAMO_HOST_OK;
}

const char* tamoHostSummaryText(TamoHostRun* run) {
  if (!run || !run->simulation) return "";
  const int32_t rc = guarded(run, [&] {
    std::ostringstream out;
    tamo1d::printSummary(out, *run->definition, run->simulation->summary(),
                         run->simulation->observerItems(), run->written);
    run->summaryText = out.str();
    return TAMO_HOST_OK;
  });
  return rc == TAMO_HOST_OK ? run->summaryText.c_str() : "";
}

int32_t tamoHostWriteOutputs(TamoHostRun* run, const char* outputDir) {
  if (!run) return TAMO_HOST_INVALID;
  if (!run->simulation) return TAMO_HOST_BAD_INPUT;
  return guarded(run, [&] {
    run->written.clear();
    // Streamed tables are already on disk and only move into place; the others are
    // written whole.
    const bool streamed = run->persistence && run->persistence->streaming();
    if (streamed) run->written = run->persistence->finishOutputs();
    for (const Output& out : outputs(run, text(outputDir))) {
      if (streamed && run->persistence->streams(out.table)) continue;
      const std::string problem = tamo1d::replaceFile(out.path, out.table->csv());
      if (!problem.empty()) {
        throw tamo1d::CaseError(run->definition->file, out.field,
                                "the output file cannot be written: " + problem);
      }
      run->written.push_back(out.path);
    }
    return TAMO_HOST_OK;
  });
}

int32_t tamoHostWrittenCount(const TamoHostRun* run) {
  return run ? static_cast<int32_t>(run->written.size()) : 0;
}

const char* tamoHostWritten(const TamoHostRun* run, int32_t index) {
  if (index < 0 || index >= tamoHostWrittenCount(run)) return nullptr;
  return run->written[static_cast<std::size_t>(index)].c_str();
}

int32_t tamoHostListMaterials(const char* catalogue, char* buffer, int32_t capacity,
                              int32_t* length) {
  if (!length || (capacity > 0 && !buffer)) return TAMO_HOST_INVALID;
  std::string list;
  const int32_t rc = guarded(nullptr, [&] {
    const auto cat = tamo1d::MaterialCatalogue::standard(text(catalogue));
    for (const std::string& key : cat.keys()) {
      list += key + "  " + cat.load(key).name + "  (" + *cat.find(key) + ")\n";
    }
    return TAMO_HOST_OK;
  });
  if (rc != TAMO_HOST_OK) return rc;
  *length = static_cast<int32_t>(list.size());
  if (capacity > 0) {
    const std::size_t n = std::min(list.size(), static_cast<std::size_t>(capacity - 1));
    std::copy(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(n), buffer);
    buffer[n] = '\0';
  }
  return TAMO_HOST_OK;
}

void tamoHostClose(TamoHostRun* run) {
  delete run;
}

}  // extern "C"
