// Runs that survive interruption and concurrency, against independent truth: a run killed
// by a signal half-way and resumed writes the same bytes as the uninterrupted run, and
// four runs on four threads give the same tables as the same runs one after the other.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "run_support.h"
#include "tamo1dhost.h"

namespace tamo1d::testing {
namespace {

namespace fs = std::filesystem;

// A bundled case cut to `hours`, with profiles at 0, hours / 2 and hours.
std::string shortened(const std::string& caseFile, int hours) {
  std::string text = readText(fs::path(TAMO1D_EXAMPLE_CASES) / caseFile);
  const std::string full = "\"duration_hours\": 8760", times = "\"times_hours\": [";
  text.replace(text.find(full), full.size(), "\"duration_hours\": " + std::to_string(hours));
  const std::size_t from = text.find(times) + times.size();
  text.replace(from, text.find(']', from) - from,
               "0, " + std::to_string(hours / 2) + ", " + std::to_string(hours));
  return text;
}

// Every column of the series table of one run.
std::vector<std::vector<double>> runSeries(const std::string& json) {
  TamoHostRun* run = nullptr;
  EXPECT_EQ(tamoHostOpenText(json.c_str(), "case", "", TAMO1D_EXAMPLE_CASES, &run), 0)
      << tamoHostMessage(run);
  EXPECT_EQ(tamoHostAdvance(run, 0.0, nullptr, nullptr), 0) << tamoHostMessage(run);
  std::vector<std::vector<double>> columns;
  const int32_t rows = tamoHostRowCount(run, TAMO_HOST_SERIES);
  for (int32_t c = 0; c < tamoHostColumnCount(run, TAMO_HOST_SERIES); ++c) {
    std::vector<double> values(static_cast<std::size_t>(rows));
    int32_t count = 0;
    tamoHostGetColumn(run, TAMO_HOST_SERIES, tamoHostColumnName(run, TAMO_HOST_SERIES, c),
                      values.data(), rows, &count);
    columns.push_back(values);
  }
  tamoHostClose(run);
  return columns;
}

// Checkpoints of runs that keep their tables in memory (as Python does): a run advanced
// half-way, checkpointed and closed, then resumed in a new run, gives the tables of the
// uninterrupted run; a cut checkpoint file is refused.
TEST(Robust, ResumedRunKeepsItsTablesInMemory) {
  const fs::path dir = scratchDirectory("robust_tables");
  const std::string json = shortened("timber_frame_wall.json", 400);
  const std::string checkpoint = (dir / "run.checkpoint").string();
  auto open = [&] {
    TamoHostRun* run = nullptr;
    EXPECT_EQ(tamoHostOpenText(json.c_str(), "case", "", TAMO1D_EXAMPLE_CASES, &run), 0);
    EXPECT_EQ(tamoHostSetCheckpoint(run, checkpoint.c_str(), 0.0), 0);
    return run;
  };
  TamoHostRun* first = open();
  ASSERT_EQ(tamoHostAdvance(first, 150.0, nullptr, nullptr), 0);
  ASSERT_EQ(tamoHostWriteCheckpoint(first), 0) << tamoHostMessage(first);
  tamoHostClose(first);

  TamoHostRun* resumed = open();
  ASSERT_EQ(tamoHostResume(resumed), 0) << tamoHostMessage(resumed);
  EXPECT_EQ(tamoHostSimulated(resumed), 150.0 * 3600.0);
  ASSERT_EQ(tamoHostAdvance(resumed, 0.0, nullptr, nullptr), 0);
  for (const int32_t table : {TAMO_HOST_SERIES, TAMO_HOST_PROFILES}) {
    std::vector<std::vector<double>> got;
    for (int32_t c = 0; c < tamoHostColumnCount(resumed, table); ++c) {
      std::vector<double> values(static_cast<std::size_t>(tamoHostRowCount(resumed, table)));
      int32_t count = 0;
      tamoHostGetColumn(resumed, table, tamoHostColumnName(resumed, table, c), values.data(),
                        static_cast<int32_t>(values.size()), &count);
      got.push_back(values);
    }
    if (table == TAMO_HOST_SERIES) EXPECT_EQ(got, runSeries(json));
    EXPECT_EQ(tamoHostRowCount(resumed, table), table == TAMO_HOST_SERIES ? 66 : 3 * 100);
  }
  tamoHostClose(resumed);

  const std::string whole = readText(checkpoint);
  writeText(checkpoint, whole.substr(0, whole.size() - 9));
  TamoHostRun* cut = open();
  EXPECT_EQ(tamoHostResume(cut), TAMO_HOST_BAD_INPUT);
  EXPECT_NE(std::string(tamoHostMessage(cut)).find("ends early"), std::string::npos)
      << tamoHostMessage(cut);
  tamoHostClose(cut);
}

TEST(Robust, FourRunsOnFourThreadsEqualSequentialRuns) {
  std::vector<std::string> cases = {
      shortened("masonry_interior_insulation.json", 300), shortened("timber_frame_wall.json", 300),
      shortened("flat_roof.json", 300), shortened("masonry_interior_insulation.json", 240)};
  std::vector<std::vector<std::vector<double>>> sequential, threaded(cases.size());
  for (const std::string& c : cases) sequential.push_back(runSeries(c));
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    threads.emplace_back([&, i] { threaded[i] = runSeries(cases[i]); });
  }
  for (std::thread& t : threads) t.join();
  for (std::size_t i = 0; i < cases.size(); ++i) {
    ASSERT_FALSE(sequential[i].empty());
    EXPECT_EQ(threaded[i], sequential[i]) << "case " << i;
  }
}

// Starts tamo1d in `directory`, waits until its streamed series holds `bytes`, sends
// `signal` and returns the exit status as a shell reports it.
int interrupt(const fs::path& directory, const std::vector<std::string>& args, long bytes,
              int signal) {
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(directory.c_str()) != 0) _exit(126);
    std::vector<char*> argv{const_cast<char*>(TAMO1D_EXECUTABLE)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(TAMO1D_EXECUTABLE, argv.data());
    _exit(127);
  }
  const fs::path partial = directory / "out" / "timber_series.csv.partial";
  std::error_code ec;
  while (!(fs::exists(partial, ec) && static_cast<long>(fs::file_size(partial, ec)) >= bytes)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  kill(pid, signal);
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(Robust, InterruptedAndResumedRunWritesTheBytesOfTheUninterruptedRun) {
  const fs::path dir = scratchDirectory("robust_resume");
  fs::copy_file(fs::path(TAMO1D_EXAMPLE_CASES) / "synthetic_climate.csv",
                dir / "synthetic_climate.csv");
  writeText(dir / "case.json", shortened("timber_frame_wall.json", 2000));
  ASSERT_EQ(runTamo1d(dir, {"-q", "-o", "whole", "case.json"}).exitCode, 0);
  const std::string series = readText(dir / "whole" / "timber_series.csv");
  const std::string profiles = readText(dir / "whole" / "timber_profiles.csv");
  EXPECT_FALSE(fs::exists(dir / "whole" / "case.checkpoint")) << "removed after completion";

  // SIGTERM: checkpoint and valid files at once; SIGKILL: the last periodic checkpoint
  // and the part files the run left behind.
  for (const int signal : {SIGTERM, SIGKILL}) {
    SCOPED_TRACE(signal);
    fs::remove_all(dir / "out");
    const int status = interrupt(dir, {"-q", "-o", "out", "--checkpoint-hours", "100", "case.json"},
                                 static_cast<long>(series.size() / 2), signal);
    EXPECT_EQ(status, 128 + signal);
    if (signal == SIGTERM) {
      const std::string partial = readText(dir / "out" / "timber_series.csv");
      ASSERT_GT(partial.size(), series.size() / 2);
      ASSERT_LT(partial.size(), series.size());
      EXPECT_EQ(series.compare(0, partial.size(), partial), 0) << "complete rows only";
    }
    const RunResult resumed = runTamo1d(dir, {"-q", "-o", "out", "--resume", "case.json"});
    ASSERT_EQ(resumed.exitCode, 0) << resumed.err;
    EXPECT_TRUE(readText(dir / "out" / "timber_series.csv") == series);
    EXPECT_TRUE(readText(dir / "out" / "timber_profiles.csv") == profiles);
  }

  // A checkpoint of another case is refused before anything is written.
  fs::remove_all(dir / "out");
  interrupt(dir, {"-q", "-o", "out", "case.json"}, static_cast<long>(series.size() / 2), SIGINT);
  writeText(dir / "other.json", shortened("timber_frame_wall.json", 2001));
  const RunResult other = runTamo1d(
      dir, {"-q", "-o", "out", "--resume", "--checkpoint", "out/case.checkpoint", "other.json"});
  EXPECT_EQ(other.exitCode, 2);
  EXPECT_NE(other.err.find("was written for another case"), std::string::npos) << other.err;
}

}  // namespace
}  // namespace tamo1d::testing
