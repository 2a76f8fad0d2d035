// What makes a run survive its process: the outputs streamed to their files as rows are
// produced, and checkpoints of the whole run state, written at an interval of simulated
// time or on request, from which a new process resumes.
//
// Resuming and the library. Between two steps the library keeps one piece of state that
// the next step reads: the vapour permeability of every interface, left by the moisture
// balance of the last inner iteration and read by the latent-heat coupling of the first
// heat balance of the next step. The public interface reads it (tamoGetTransport) but
// cannot set it, and a fresh context holding zeros there gives another next step
// (differences of about 1e-4 K). Everything else the next step reads is either the model
// definition, the climate of the step, or the host's node arrays. A resume therefore
// rebuilds the context from the case and replays the library steps up to the checkpoint
// (no outputs, observers or progress; the step control repeats its decisions exactly),
// then checks that the replayed node state and interface permeabilities equal the saved
// ones bit for bit before it continues. The replay costs the library time of the run up
// to the checkpoint.
#ifndef TAMO1D_RUN_PERSISTENCE_H
#define TAMO1D_RUN_PERSISTENCE_H

#include <memory>
#include <string>
#include <vector>

#include "output_stream.h"
#include "simulation.h"

namespace tamo1d {

class RunPersistence {
 public:
  explicit RunPersistence(Simulation& simulation) : simulation_(simulation) {}

  // Outputs streamed under outputDir from the next advance on; keepTables: also keep the
  // rows in memory for the caller. Before the first advance only; throws CaseError.
  void streamOutputs(const std::string& outputDir, bool keepTables);
  bool streaming() const { return !streams_.empty(); }
  bool streams(const OutputTable* table) const;  // true when the table goes to a stream
  // Starts the streams (first call) before the run advances. Throws CaseError.
  void beforeAdvance();
  // Closes the streams and renames the files into place; returns the paths. Throws
  // CaseError naming the output field.
  std::vector<std::string> finishOutputs();

  // Checkpoints go to `path`, every `intervalSeconds` of simulated time (<= 0: only on
  // request; periodic checkpoints are skipped while a step observer cannot be saved).
  void setCheckpoint(const std::string& path, double intervalSeconds);
  const std::string& checkpointPath() const { return checkpointPath_; }
  // Writes the checkpoint now (through a temporary file renamed into place). Throws
  // CaseError; std::runtime_error when an observer cannot be checkpointed.
  void writeCheckpoint();
  // Continues the run from the checkpoint: before the first advance, after
  // streamOutputs when the outputs are streamed. Throws CaseError.
  void resume();

 private:
  struct Output {
    std::string path, field;
    OutputTable* table;
    bool inBlocks = false;  // a row per step: written in blocks (see blocks_)
  };
  // Rows of the tables written in blocks not written yet, per stream: an observer's table
  // gains a row every step, and a write per row would cost a system call per step and
  // monitor. Blocks go out when full, before a checkpoint records the stream lengths, and
  // when the outputs finish; a run killed without warning resumes from its last
  // checkpoint, so the rows it had not written yet are written again.
  static constexpr std::size_t kBlockBytes = 1 << 16;
  void flushBlocks();
  // Every table of the run: series, profiles, the observers' tables (path "" for a table
  // without a file).
  std::vector<Output> outputList(const std::string& outputDir) const;
  void fingerprint(class CheckpointWriter& out) const;
  bool observersCheckpointable() const;
  void attachStreams();

  Simulation& simulation_;
  std::vector<Output> outputs_;  // streamed outputs (tables with a file), as streams_
  std::vector<std::unique_ptr<OutputStream>> streams_;
  std::vector<std::string> blocks_;  // per stream
  bool keepTables_ = true, started_ = false;
  std::string checkpointPath_;
  double checkpointInterval_ = 0.0, nextCheckpoint_ = 0.0;  // s
};

}  // namespace tamo1d

#endif
