// Runs that survive interruption and concurrency, against independent truth: a run of the
// default case (weather, assessment monitors, repeated years) killed by a signal and resumed
// writes the same bytes and summary as the uninterrupted run (assessment state and monitor
// files included), and four runs on four threads give the same tables as the same runs one
// after the other.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "run_support.h"
#include "tamo1dhost.h"

namespace tamo1d::testing {
namespace {

namespace fs = std::filesystem;

const char* kDefaultCase = "masonry_interior_insulation.json";

// A bundled case cut to `hours` (a "year" of the default case's three), with profiles at 0,
// hours / 2 and hours, its weather file found from any folder.
std::string shortened(const std::string& caseFile, int hours) {
  std::string text = readText(fs::path(TAMO1D_EXAMPLE_CASES) / caseFile);
  const std::size_t weather = text.find("\"../../data/weather/");
  if (weather != std::string::npos) text.insert(weather + 1, TAMO1D_EXAMPLE_CASES "/");
  const std::string full = "\"duration_hours\": 8760", times = "\"times_hours\": [";
  text.replace(text.find(full), full.size(), "\"duration_hours\": " + std::to_string(hours));
  const std::size_t from = text.find(times) + times.size();
  text.replace(from, text.find(']', from) - from,
               "0, " + std::to_string(hours / 2) + ", " + std::to_string(hours));
  return text;
}

// Every column of the tables `from` .. `to` (exclusive; -1: all) of a finished run.
std::vector<std::vector<double>> tablesOf(TamoHostRun* run, int32_t from = 0, int32_t to = -1) {
  std::vector<std::vector<double>> columns;
  for (int32_t t = from; t < (to < 0 ? tamoHostTableCount(run) : to); ++t) {
    for (int32_t c = 0; c < tamoHostColumnCount(run, t); ++c) {
      std::vector<double> values(static_cast<std::size_t>(tamoHostRowCount(run, t)));
      int32_t count = 0;
      tamoHostGetColumn(run, t, tamoHostColumnName(run, t, c), values.data(),
                        static_cast<int32_t>(values.size()), &count);
      columns.push_back(values);
    }
  }
  return columns;
}

// The series table of one run.
std::vector<std::vector<double>> runSeries(const std::string& json) {
  TamoHostRun* run = nullptr;
  EXPECT_EQ(tamoHostOpenText(json.c_str(), "case", "", TAMO1D_EXAMPLE_CASES, &run), 0)
      << tamoHostMessage(run);
  EXPECT_EQ(tamoHostAdvance(run, 0.0, nullptr, nullptr), 0) << tamoHostMessage(run);
  std::vector<std::vector<double>> columns = tablesOf(run, TAMO_HOST_SERIES, TAMO_HOST_SERIES + 1);
  tamoHostClose(run);
  return columns;
}

TEST(Robust, FourRunsOnFourThreadsEqualSequentialRuns) {
  std::vector<std::string> cases = {shortened(kDefaultCase, 300),
                                    shortened("timber_frame_wall.json", 300),
                                    shortened("flat_roof.json", 300), shortened(kDefaultCase, 240)};
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
  const fs::path partial = directory / "out" / "masonry_series.csv.partial";
  std::error_code ec;
  while (!(fs::exists(partial, ec) && static_cast<long>(fs::file_size(partial, ec)) >= bytes)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  kill(pid, signal);
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// The files a run wrote to `folder`, and its summary without the wall time, by name.
std::map<std::string, std::string> results(const fs::path& folder, const std::string& summary) {
  std::map<std::string, std::string> files{{"summary", summary}};
  for (const auto& entry : fs::directory_iterator(folder)) {
    files[entry.path().filename().string()] = readText(entry.path());
  }
  const std::size_t wall = summary.find("wall time");
  files["summary"].erase(wall, summary.find('\n', wall) - wall);
  return files;
}

TEST(Robust, InterruptedAndResumedRunWritesTheBytesOfTheUninterruptedRun) {
  const fs::path dir = scratchDirectory("robust_resume");
  writeText(dir / "case.json", shortened(kDefaultCase, 600));
  const RunResult whole = runTamo1d(dir, {"-o", "out", "case.json"});
  ASSERT_EQ(whole.exitCode, 0) << whole.err;
  const auto expected = results(dir / "out", whole.out);
  ASSERT_EQ(expected.size(), 1u + 6u) << "series, profiles, four monitors";
  const std::string series = expected.at("masonry_series.csv");
  EXPECT_FALSE(fs::exists(dir / "out" / "case.checkpoint")) << "removed after completion";

  // SIGTERM: checkpoint and valid files at once; SIGKILL: the last periodic checkpoint
  // and the part files the run left behind.
  for (const int signal : {SIGTERM, SIGKILL}) {
    SCOPED_TRACE(signal);
    fs::remove_all(dir / "out");
    const int status = interrupt(dir, {"-q", "-o", "out", "--checkpoint-hours", "100", "case.json"},
                                 static_cast<long>(series.size() / 2), signal);
    EXPECT_EQ(status, 128 + signal);
    if (signal == SIGTERM) {
      const std::string partial = readText(dir / "out" / "masonry_series.csv");
      ASSERT_GT(partial.size(), series.size() / 2);
      ASSERT_LT(partial.size(), series.size());
      EXPECT_EQ(series.compare(0, partial.size(), partial), 0) << "complete rows only";
    }
    const RunResult resumed = runTamo1d(dir, {"-o", "out", "--resume", "case.json"});
    ASSERT_EQ(resumed.exitCode, 0) << resumed.err;
    EXPECT_TRUE(results(dir / "out", resumed.out) == expected);
  }

  // A checkpoint of another case is refused before anything is written.
  fs::remove_all(dir / "out");
  interrupt(dir, {"-q", "-o", "out", "case.json"}, static_cast<long>(series.size() / 2), SIGINT);
  writeText(dir / "other.json", shortened(kDefaultCase, 601));
  const RunResult other = runTamo1d(
      dir, {"-q", "-o", "out", "--resume", "--checkpoint", "out/case.checkpoint", "other.json"});
  EXPECT_EQ(other.exitCode, 2);
  EXPECT_NE(other.err.find("was written for another case"), std::string::npos) << other.err;
  // So is a damaged one.
  const std::string checkpoint = readText(dir / "out" / "case.checkpoint");
  writeText(dir / "out" / "case.checkpoint", checkpoint.substr(0, checkpoint.size() - 9));
  const RunResult cut = runTamo1d(dir, {"-q", "-o", "out", "--resume", "case.json"});
  EXPECT_EQ(cut.exitCode, 2);
  EXPECT_NE(cut.err.find("ends early"), std::string::npos) << cut.err;
}

}  // namespace
}  // namespace tamo1d::testing
