#include "run_persistence.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <stdexcept>

#include "case_error.h"
#include "checkpoint_file.h"
#include "kernel_lock.h"
#include "output_table.h"
#include "tamo1dkernel.h"

namespace tamo1d {

namespace {

bool sameBits(const std::vector<double>& a, const std::vector<double>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

// The library's interface permeabilities and liquid transfer coefficients (N entries
// each): the state a step leaves for the next one.
std::vector<double> transportState(int32_t handle, int32_t interfaces) {
  const std::size_t n = static_cast<std::size_t>(interfaces);
  std::vector<double> heat(n), vapour(n), liquid(n);
  {
    const std::lock_guard lock(kernelMutex());
    tamoGetTransport(handle, interfaces, heat.data(), vapour.data(), liquid.data());
  }
  vapour.insert(vapour.end(), liquid.begin(), liquid.end());
  return vapour;
}

}  // namespace

std::vector<RunPersistence::Output> RunPersistence::outputList(const std::string& outputDir) const {
  const Case& c = simulation_.definition();
  auto place = [&](const std::string& file) {
    if (file.empty()) return file;  // a table kept in memory only
    std::filesystem::path p(file);
    if (p.is_relative() && !outputDir.empty()) p = std::filesystem::path(outputDir) / p;
    return p.string();
  };
  std::vector<Output> list;
  if (simulation_.series_) {
    list.push_back(
        {place(c.series.file), "outputs.time_series.file", &simulation_.series_->table()});
  }
  if (simulation_.profiles_) {
    list.push_back(
        {place(c.profiles.file), "outputs.profiles.file", &simulation_.profiles_->table()});
  }
  for (const ObserverTable& t : simulation_.observerTables()) {
    list.push_back({place(t.file), t.field, t.table, true});
  }
  return list;
}

void RunPersistence::streamOutputs(const std::string& outputDir, bool keepTables) {
  if (started_ || simulation_.interval_ != 0) {
    throw CaseError(simulation_.definition().file, "", "outputs are streamed from the start only");
  }
  outputs_.clear();
  for (const Output& o : outputList(outputDir)) {
    if (!o.path.empty()) outputs_.push_back(o);
  }
  streams_.clear();
  for (const Output& o : outputs_) streams_.push_back(std::make_unique<OutputStream>(o.path));
  keepTables_ = keepTables;
}

bool RunPersistence::streams(const OutputTable* table) const {
  for (const Output& o : outputs_) {
    if (o.table == table) return true;
  }
  return false;
}

void RunPersistence::flushBlocks() {
  for (std::size_t i = 0; i < blocks_.size(); ++i) {
    if (!blocks_[i].empty()) streams_[i]->append(blocks_[i]);
    blocks_[i].clear();
  }
}

void RunPersistence::attachStreams() {
  blocks_.assign(streams_.size(), std::string());
  for (std::size_t i = 0; i < streams_.size(); ++i) {
    OutputStream* stream = streams_[i].get();
    if (outputs_[i].inBlocks) {
      outputs_[i].table->stream(
          [this, i](const std::string& line) {
            blocks_[i] += line;
            if (blocks_[i].size() >= kBlockBytes) flushBlocks();
          },
          keepTables_);
      continue;
    }
    outputs_[i].table->stream([stream](const std::string& line) { stream->append(line); },
                              keepTables_);
  }
  started_ = true;
}

void RunPersistence::beforeAdvance() {
  if (started_ || streams_.empty()) return;
  for (std::size_t i = 0; i < streams_.size(); ++i) {
    // The rows recorded before the first step (the profile at time 0) go first.
    const std::string problem = streams_[i]->start(outputs_[i].table->csv());
    if (!problem.empty()) {
      throw CaseError(simulation_.definition().file, outputs_[i].field,
                      "the output file cannot be written: " + problem);
    }
  }
  attachStreams();
}

std::vector<std::string> RunPersistence::finishOutputs() {
  beforeAdvance();  // a run finished without advancing still writes its files
  flushBlocks();
  std::vector<std::string> written;
  for (std::size_t i = 0; i < streams_.size(); ++i) {
    const std::string problem = streams_[i]->finish();
    if (!problem.empty()) {
      throw CaseError(simulation_.definition().file, outputs_[i].field,
                      "the output file cannot be written: " + problem);
    }
    written.push_back(streams_[i]->path());
  }
  return written;
}

void RunPersistence::setCheckpoint(const std::string& path, double intervalSeconds) {
  checkpointPath_ = path;
  checkpointInterval_ =
      intervalSeconds > 0.0 && std::isfinite(intervalSeconds) ? intervalSeconds : 0.0;
  auto next = [this](double now) {
    return (std::floor(now / checkpointInterval_ + 1e-9) + 1.0) * checkpointInterval_;
  };
  if (checkpointInterval_ > 0.0) nextCheckpoint_ = next(simulation_.summary_.simulated);
  simulation_.onInterval([this, next](double end) {
    if (checkpointInterval_ > 0.0 && end >= nextCheckpoint_ - 1e-6) {
      // A case with an observer that cannot be saved runs on without periodic
      // checkpoints; a checkpoint asked for explicitly reports why it cannot be written.
      if (observersCheckpointable()) writeCheckpoint();
      nextCheckpoint_ = next(end);
    }
  });
}

bool RunPersistence::observersCheckpointable() const {
  std::string scratch;
  for (const auto& observer : simulation_.observers_) {
    if (!observer->saveState(scratch)) return false;
  }
  return true;
}

// What must not differ between the run that wrote a checkpoint and the one resuming.
void RunPersistence::fingerprint(CheckpointWriter& out) const {
  const Case& c = simulation_.definition();
  CheckpointWriter f;
  f.numbers(simulation_.grid().positions);
  f.number(c.time.step);
  f.number(c.time.duration);
  for (const Output& o : outputList("")) f.text(o.table->header());
  f.integer(static_cast<int64_t>(simulation_.observers_.size()));
  out.text(f.bytes());
}

void RunPersistence::writeCheckpoint() {
  const Simulation& s = simulation_;
  if (checkpointPath_.empty()) throw CaseError(s.definition().file, "", "no checkpoint file set");
  flushBlocks();  // the stream lengths below count every row so far
  CheckpointWriter out;
  fingerprint(out);
  out.integer(s.interval_);
  const RunSummary& r = s.summary_;
  const StepStatistics& t = r.statistics;
  for (const long v : {t.steps, t.attempts, t.halvings, t.unconvergedAccepted, t.rainMismatch}) {
    out.integer(v);
  }
  out.integer(t.iterations);
  for (const double v :
       {t.smallestStep, r.simulated, r.wallSeconds, r.totalWaterStart, r.totalWaterEnd}) {
    out.number(v);
  }
  out.numbers(r.layerWaterStart);
  out.numbers(r.layerWaterEnd);
  for (int side = 0; side < 2; ++side) {
    out.numbers(
        {r.surfaceTemperatureMin[side], r.surfaceTemperatureMax[side], r.surfaceHumidityMax[side]});
  }
  out.integer(static_cast<int64_t>(s.nextProfile_));
  out.integer(s.iterationsAtLastRow_);
  out.numbers(s.temperature_);
  out.numbers(s.humidity_);
  out.numbers(s.water_);
  out.numbers(transportState(s.context_.handle(), s.grid().interfaceCount()));
  for (const Output& o : outputList("")) {
    out.integer(o.table->keepsRows() ? 1 : 0);
    if (o.table->keepsRows()) {
      for (int col = 0; col < o.table->columnCount(); ++col) out.numbers(o.table->column(col));
    }
  }
  out.integer(static_cast<int64_t>(streams_.size()));
  for (const auto& stream : streams_) {
    out.integer(stream->length());
    out.integer(static_cast<int64_t>(stream->digest()));
  }
  for (const auto& observer : s.observers_) {
    std::string state;
    if (!observer->saveState(state)) {
      throw std::runtime_error(
          "a step observer of this case keeps state that cannot be saved "
          "in a checkpoint");
    }
    out.text(state);
  }
  const std::string problem = replaceFile(checkpointPath_, out.bytes());
  if (!problem.empty()) {
    throw CaseError(checkpointPath_, "", "the checkpoint cannot be written: " + problem);
  }
}

void RunPersistence::resume() {
  Simulation& s = simulation_;
  if (checkpointPath_.empty()) throw CaseError(s.definition().file, "", "no checkpoint file set");
  CheckpointReader in(readWholeFile(checkpointPath_), checkpointPath_);
  if (started_ || s.interval_ != 0) in.fail("a run continues from a checkpoint before it advances");
  CheckpointWriter mine;
  fingerprint(mine);
  CheckpointReader expected(mine.bytes(), "");
  if (in.text() != expected.text()) {
    in.fail("was written for another case (grid, time step, duration or outputs differ)");
  }
  const int64_t interval = in.integer();
  if (interval < 0 || interval > s.intervals_) in.fail("has a time outside the run");

  // Replay the library steps: re-establishes the state the library carries between steps.
  s.replaying_ = true;
  try {
    s.advance(static_cast<double>(interval) * s.definition().time.step, nullptr);
  } catch (...) {
    s.replaying_ = false;
    throw;
  }
  s.replaying_ = false;
  if (s.interval_ != interval) in.fail("cannot be reached again: the replayed run stopped early");

  RunSummary& r = s.summary_;
  StepStatistics& t = r.statistics;
  for (long* v : {&t.steps, &t.attempts, &t.halvings, &t.unconvergedAccepted, &t.rainMismatch}) {
    *v = static_cast<long>(in.integer());
  }
  t.iterations = in.integer();
  for (double* v :
       {&t.smallestStep, &r.simulated, &r.wallSeconds, &r.totalWaterStart, &r.totalWaterEnd}) {
    *v = in.number();
  }
  r.layerWaterStart = in.numbers();
  r.layerWaterEnd = in.numbers();
  for (int side = 0; side < 2; ++side) {
    const std::vector<double> v = in.numbers();
    if (v.size() != 3) in.fail("is damaged (surface extremes)");
    r.surfaceTemperatureMin[side] = v[0];
    r.surfaceTemperatureMax[side] = v[1];
    r.surfaceHumidityMax[side] = v[2];
  }
  s.nextProfile_ = static_cast<std::size_t>(in.integer());
  s.iterationsAtLastRow_ = in.integer();
  bool same = sameBits(in.numbers(), s.temperature_);
  same = sameBits(in.numbers(), s.humidity_) && same;
  same = sameBits(in.numbers(), s.water_) && same;
  same = sameBits(in.numbers(), transportState(s.context_.handle(), s.grid().interfaceCount())) &&
         same;
  if (!same) {
    in.fail(
        "does not continue this run: the replayed state differs from the saved one (another "
        "case, catalogue or library build)");
  }
  for (const Output& o : outputList("")) {
    const bool kept = in.integer() != 0;
    o.table->clearRows();
    if (!kept) continue;
    std::vector<std::vector<double>> columns;
    for (int col = 0; col < o.table->columnCount(); ++col) columns.push_back(in.numbers());
    std::vector<double> row(columns.size());
    for (std::size_t i = 0; !columns.empty() && i < columns[0].size(); ++i) {
      for (std::size_t col = 0; col < columns.size(); ++col) {
        if (columns[col].size() != columns[0].size()) in.fail("is damaged (output table)");
        row[col] = columns[col][i];
      }
      o.table->append(row);
    }
  }
  if (static_cast<std::size_t>(in.integer()) != streams_.size()) {
    in.fail(streams_.empty() ? "was written by a run that streamed its outputs"
                             : "was written by a run that kept its outputs in memory only");
  }
  for (std::size_t i = 0; i < streams_.size(); ++i) {
    const int64_t length = in.integer();
    const uint64_t digest = static_cast<uint64_t>(in.integer());
    if (length < 0) in.fail("is damaged (output length)");
    const std::string problem = streams_[i]->resume(length, digest);
    if (!problem.empty()) throw CaseError(s.definition().file, outputs_[i].field, problem);
  }
  for (const auto& observer : s.observers_) {
    if (!observer->restoreState(in.text())) in.fail("holds an observer state that is not valid");
  }
  if (!in.atEnd()) in.fail("is damaged (data after the end)");
  s.summary_.completed = s.interval_ >= s.intervals_ && !s.stopped_;
  if (checkpointInterval_ > 0.0) setCheckpoint(checkpointPath_, checkpointInterval_);
  attachStreams();
}

}  // namespace tamo1d
