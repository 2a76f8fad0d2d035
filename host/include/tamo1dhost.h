/*
 * tamo1dhost - the simulation host of tamo1dkernel: case files, material catalogue,
 * surface climate, grid, step control, outputs and run summary, behind one C interface
 * shared by the command line `tamo1d`, the Python package and other hosts.
 *
 * This is the host library's only public header. It is plain C (usable from C and C++).
 *
 * Usage in brief
 *   1. tamoHostOpenFile(path, catalogue, &run)   or tamoHostOpenText(json, ...)
 *      (a handle is returned even when the case is refused: read tamoHostMessage(run),
 *      then tamoHostClose(run))
 *   2. tamoHostCheckOutputs(run, outputDir)      optional: are the outputs writable?
 *   3. tamoHostAdvance(run, hours, progress, user) as often as wanted, until
 *      tamoHostFinished(run)
 *   4. tamoHostColumn* / tamoHostGetColumn       the output tables as arrays
 *      tamoHostSummary*                           the summary items
 *      tamoHostWriteOutputs(run, outputDir)       the case's CSV files
 *   5. tamoHostClose(run)
 *
 * Conventions
 *   - The case format is described in docs/case_format.md. Comments (// and / * * /) are
 *     allowed in case files.
 *   - Units as in the kernel: degC, relative humidity as a fraction (near condensation the
 *     kernel lets it exceed 1 up to 1.01, the over-hygroscopic range), kg/m3, Pa, m, s.
 *   - Strings returned by the library are UTF-8, owned by the run and valid until the next
 *     call on the same run that changes it (open, advance, write, close) - copy them.
 *   - Every operation returns a result code (below). Nothing is printed or thrown; the
 *     only files written are the case's outputs, by tamoHostWriteOutputs, each first to a
 *     temporary file in the same folder and renamed into place, so that a refused or
 *     failed write never removes or truncates an earlier result.
 *   - Threads: a run is used by one thread at a time; different runs may be used by
 *     different threads at the same time, whatever the kernel build. The kernel takes
 *     one call at a time across all its contexts, so the host runs every kernel call
 *     (each time step, each result query, model definition) under one process-wide
 *     lock: the steps of concurrent runs interleave rather than overlap, and each run
 *     gives the same results as alone. Threads suit a caller that keeps several runs
 *     open; parameter studies that want the cores use processes (the kernel's own
 *     OpenMP team works inside each step).
 *
 * Tables
 *   Table TAMO_HOST_SERIES: the time series, one row per output time; column "time" (h)
 *   first, then the case's quantities in their order. Rows are instantaneous values at
 *   the output times (no averages over the interval).
 *   Table TAMO_HOST_PROFILES: the profiles in long form, one row per cell and profile
 *   time; columns "time" (h), "position" (m, cell centre from surface A), "layer" (1 at
 *   side A), then the quantities.
 *   Tables "monitor_<name>" (one per monitor of the case's assessment): one row per
 *   accepted step (halved steps included): "time" (h), "temperature" (degC), "humidity",
 *   "water_content", "ice_content" (kg/m3), "mould_index", "critical_humidity".
 *   Table "equilibrium" (when the assessment repeats the year): "year" (0 = start) and
 *   "total_water" (kg/m2) at the end of each year.
 */
#ifndef TAMO1DHOST_H
#define TAMO1DHOST_H

#include <stdint.h>

#if defined(_WIN32)
#if defined(TAMO1DHOST_BUILDING)
#define TAMO_HOST_API __declspec(dllexport)
#else
#define TAMO_HOST_API __declspec(dllimport)
#endif
#else
#define TAMO_HOST_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/** Result codes (the command line uses 0..2 as its exit codes). */
enum {
  TAMO_HOST_OK = 0,         /* done */
  TAMO_HOST_STOPPED = 1,    /* the simulation stopped (a step diverged at the minimum step,
                               the kernel refused a step) or an output could not be written */
  TAMO_HOST_BAD_INPUT = 2,  /* the case, a material, a climate file or an output path is
                               wrong; tamoHostMessage names file, field and problem */
  TAMO_HOST_CANCELLED = 3,  /* the progress callback asked to stop; advancing again goes on */
  TAMO_HOST_INVALID = -1,   /* null or closed handle, null pointer, unknown name or table */
  TAMO_HOST_NO_MEMORY = -11 /* memory cannot be obtained */
};

/** Output tables. Tables from TAMO_HOST_OBSERVER_TABLES on are kept by case sections
 *  that follow the run step by step (the assessment's monitors and its year ends). */
enum { TAMO_HOST_SERIES = 0, TAMO_HOST_PROFILES = 1, TAMO_HOST_OBSERVER_TABLES = 2 };

/** An open case and its run state. */
typedef struct TamoHostRun TamoHostRun;

/** Progress callback: simulated seconds so far and in all; return nonzero to cancel (the
 *  run stops after the current output interval and can be advanced again later). */
typedef int32_t (*TamoHostProgress)(double simulatedSeconds, double totalSeconds, void* user);

/** Version of the host library ("1.0.0"); static storage. */
TAMO_HOST_API const char* tamoHostVersion(void);

/** Reads and checks the case file `path`. catalogue: a material catalogue folder searched
 *  first (NULL or "": only $TAMO1D_CATALOGUE and the installed/bundled catalogue).
 *  Relative climate files are taken from the case file's folder. *run receives a handle
 *  also on failure (for tamoHostMessage), NULL only when memory is exhausted.
 *  Returns 0; 2 the case is refused; -1 null path or run; -11 no memory. */
TAMO_HOST_API int32_t tamoHostOpenFile(const char* path, const char* catalogue, TamoHostRun** run);

/** The same from JSON text. name: how messages call the source ("" = "<case>");
 *  baseDir: folder of relative climate files (NULL or "" = the working directory). */
TAMO_HOST_API int32_t tamoHostOpenText(const char* json, const char* name, const char* catalogue,
                                       const char* baseDir, TamoHostRun** run);

/** The message of the last failure on this run ("" when none), e.g.
 *  "wall.json: field 'layers[1].thicknes': is not a known field". */
TAMO_HOST_API const char* tamoHostMessage(const TamoHostRun* run);

/** Number of warnings (for example a grid coarser than the default near a surface) and the
 *  warning `index` (0-based; NULL outside the range). */
TAMO_HOST_API int32_t tamoHostWarningCount(const TamoHostRun* run);
TAMO_HOST_API const char* tamoHostWarning(const TamoHostRun* run, int32_t index);

/** Case title, total and simulated time (s), number of cells. */
TAMO_HOST_API const char* tamoHostTitle(const TamoHostRun* run);
TAMO_HOST_API double tamoHostDuration(const TamoHostRun* run);
TAMO_HOST_API double tamoHostSimulated(const TamoHostRun* run);
TAMO_HOST_API int32_t tamoHostCellCount(const TamoHostRun* run);

/** Checks that the case's output files can be written under outputDir (NULL or "": the
 *  working directory; the folder is created when missing). Writes no output file.
 *  Returns 0; 2 an output cannot be written (the message gives the system's reason). */
TAMO_HOST_API int32_t tamoHostCheckOutputs(TamoHostRun* run, const char* outputDir);

/** Advances the run by `hours` of simulated time (<= 0 or beyond the end: to the end),
 *  in whole steps of the case. progress (may be NULL) is called after every output
 *  interval and at most every step. Returns 0 (the requested time or the end is reached);
 *  1 the simulation stopped (tamoHostMessage says why; the results so far stay readable);
 *  3 cancelled by the callback; 2 the case was refused at open. */
TAMO_HOST_API int32_t tamoHostAdvance(TamoHostRun* run, double hours, TamoHostProgress progress,
                                      void* user);

/** 1 when the whole duration is simulated or the run stopped, else 0. */
TAMO_HOST_API int32_t tamoHostFinished(const TamoHostRun* run);

/** Number of tables (series and profiles, then the observer tables) and the name of table
 *  `table` ("series", "profiles", "monitor_<name>", "equilibrium"; NULL outside). */
TAMO_HOST_API int32_t tamoHostTableCount(const TamoHostRun* run);
TAMO_HOST_API const char* tamoHostTableName(const TamoHostRun* run, int32_t table);

/** Columns of an output table: count, name (NULL outside the range) and unit. */
TAMO_HOST_API int32_t tamoHostColumnCount(const TamoHostRun* run, int32_t table);
TAMO_HOST_API const char* tamoHostColumnName(const TamoHostRun* run, int32_t table, int32_t column);
TAMO_HOST_API const char* tamoHostColumnUnit(const TamoHostRun* run, int32_t table, int32_t column);
/** Rows recorded so far. */
TAMO_HOST_API int32_t tamoHostRowCount(const TamoHostRun* run, int32_t table);
/** Copies up to `capacity` rows of the column named `name` into values; *count receives
 *  the number copied. Returns 0; -1 unknown table or name, or a null pointer. */
TAMO_HOST_API int32_t tamoHostGetColumn(const TamoHostRun* run, int32_t table, const char* name,
                                        double* values, int32_t capacity, int32_t* count);

/** Summary items of the run so far (totals, extremes, statistics, assessments): count and
 *  item `index` - name, value, unit, limit (NaN when none) and verdict text ("" when the
 *  item is no judgement). Pointers may be NULL. Returns 0; -1 index outside. */
TAMO_HOST_API int32_t tamoHostSummaryCount(const TamoHostRun* run);
TAMO_HOST_API int32_t tamoHostSummaryItem(const TamoHostRun* run, int32_t index, const char** name,
                                          double* value, const char** unit, double* limit,
                                          const char** verdict);
/** The summary as the command line prints it (several lines). */
TAMO_HOST_API const char* tamoHostSummaryText(TamoHostRun* run);

/** Writes the case's CSV outputs (the rows so far) under outputDir (NULL or "": working
 *  directory; created when missing), each through a temporary file renamed into place.
 *  Returns 0; 2 a file cannot be written (the earlier file is untouched). */
TAMO_HOST_API int32_t tamoHostWriteOutputs(TamoHostRun* run, const char* outputDir);
/* Long runs: streamed outputs, checkpoints, resuming ---------------------------------- */

/** Streams the case's CSV outputs under outputDir (as for tamoHostWriteOutputs) while the
 *  run advances: each file is written as path + ".partial", rows appended and flushed as they
 *  are produced (complete rows only, at every moment), and tamoHostWriteOutputs then
 *  renames the part files into place. Memory stays flat over long runs when keepTables is
 *  0: the tables with a file (series, profiles, monitors) read by tamoHostGetColumn then
 *  stay empty; 1 keeps them as well. The monitor files, a row per step, are written in
 *  blocks of 64 KiB and at every checkpoint. Call before the first advance. Returns 0;
 *  2 outputs were already started. */
TAMO_HOST_API int32_t tamoHostStreamOutputs(TamoHostRun* run, const char* outputDir,
                                            int32_t keepTables);

/** Checkpoints of the run go to `path` (written through a temporary file renamed into
 *  place), every intervalHours of simulated time (<= 0: only by tamoHostWriteCheckpoint).
 *  A checkpoint holds everything the next step depends on: node state, step control and
 *  statistics, summary, output tables (the monitor and equilibrium tables included) or the
 *  lengths and checksums of the streamed files, and the step observers' state (the
 *  assessment models, the weather side's yearly totals; periodic checkpoints are skipped
 *  while a step observer of the case cannot save its state). Returns 0; -1 null or empty
 *  path. */
TAMO_HOST_API int32_t tamoHostSetCheckpoint(TamoHostRun* run, const char* path,
                                            double intervalHours);

/** Writes a checkpoint now (for example after the progress callback cancelled the run on
 *  a signal). Returns 0; 2 the file cannot be written; 1 a step observer of the case
 *  cannot be saved; -1 no checkpoint path set. */
TAMO_HOST_API int32_t tamoHostWriteCheckpoint(TamoHostRun* run);

/** Continues from the checkpoint file set by tamoHostSetCheckpoint: on a freshly opened
 *  run of the same case, after tamoHostStreamOutputs when the interrupted run streamed
 *  (the output files are continued from the lengths the checkpoint recorded, from their
 *  part files when the run was killed before it could finish them). The library keeps
 *  one quantity between steps that its interface cannot set (the interface vapour
 *  permeabilities), so the run's library steps are replayed up to the checkpoint and the
 *  state checked bit for bit against it: resuming costs the library time of the run so
 *  far; the resumed run then gives the same bytes as an uninterrupted one. Returns 0;
 *  2 the checkpoint is missing, damaged, or belongs to another case or output files. */
TAMO_HOST_API int32_t tamoHostResume(TamoHostRun* run);

/** Paths written by the last tamoHostWriteOutputs: count and path `index`. */
TAMO_HOST_API int32_t tamoHostWrittenCount(const TamoHostRun* run);
TAMO_HOST_API const char* tamoHostWritten(const TamoHostRun* run, int32_t index);

/** The catalogue's materials, one line each ("key  name  (file)"), into buffer (NUL
 *  terminated, cut at capacity - 1); *length receives the full length without the NUL.
 *  catalogue as for tamoHostOpenFile. Returns 0; 2 a malformed material file. */
TAMO_HOST_API int32_t tamoHostListMaterials(const char* catalogue, char* buffer, int32_t capacity,
                                            int32_t* length);

/** Closes the run and frees everything (NULL is ignored). */
TAMO_HOST_API void tamoHostClose(TamoHostRun* run);

#ifdef __cplusplus
}
#endif

#endif
