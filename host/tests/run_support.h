// Helpers of the tests that run the tamo1d program: a scratch directory per test, running
// the program with captured output, and reading its CSV files by column name.
#ifndef TAMO1D_TESTS_RUN_SUPPORT_H
#define TAMO1D_TESTS_RUN_SUPPORT_H

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace tamo1d::testing {

struct RunResult {
  int exitCode = -1;
  std::string out;  // stdout
  std::string err;  // stderr
};

// A fresh empty directory under the system temporary directory, of this process alone.
std::filesystem::path scratchDirectory(const std::string& name);

void writeText(const std::filesystem::path& path, const std::string& text);
std::string readText(const std::filesystem::path& path);

// Runs tamo1d with the arguments (each quoted) inside `directory`; environment is put
// before the command as is ("OMP_NUM_THREADS=2").
RunResult runTamo1d(const std::filesystem::path& directory, const std::vector<std::string>& args,
                    const std::string& environment = "");

// Number of entries in a directory.
std::size_t entryCount(const std::filesystem::path& directory);

// A CSV file with a header row: column name (without the bracketed unit) -> values.
struct Table {
  std::map<std::string, std::vector<double>> columns;
  std::size_t rows = 0;
  const std::vector<double>& at(const std::string& name) const;
};
Table readCsv(const std::filesystem::path& path);

// Runs the case text quietly in scratchDirectory(name), expects success and reads series.csv.
Table seriesOfQuietRun(const std::string& name, const std::string& caseText);

}  // namespace tamo1d::testing

#endif
