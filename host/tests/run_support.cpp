#include "run_support.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tamo1d::testing {

namespace fs = std::filesystem;

fs::path scratchDirectory(const std::string& name) {
  // The process id keeps concurrent test runs (two ctest runs, ctest -j) apart.
  const fs::path dir =
      fs::temp_directory_path() / ("tamo1d_run_" + name + "_" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

void writeText(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

std::string readText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

namespace {

std::string quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

}  // namespace

RunResult runTamo1d(const fs::path& directory, const std::vector<std::string>& args,
                    const std::string& environment) {
  const fs::path out = directory / ".stdout", err = directory / ".stderr";
  std::string command =
      "cd " + quote(directory.string()) + " && " + environment + " " + quote(TAMO1D_EXECUTABLE);
  for (const std::string& a : args) (command += ' ') += quote(a);
  command += " > " + quote(out.string()) + " 2> " + quote(err.string());
  const int status = std::system(command.c_str());
  RunResult r;
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  r.out = readText(out);
  r.err = readText(err);
  fs::remove(out);
  fs::remove(err);
  return r;
}

std::size_t entryCount(const fs::path& directory) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(directory)) ++count;
  return count;
}

const std::vector<double>& Table::at(const std::string& name) const {
  const auto it = columns.find(name);
  if (it == columns.end()) throw std::runtime_error("no column " + name);
  return it->second;
}

Table readCsv(const fs::path& path) {
  std::ifstream in(path);
  Table t;
  std::string line;
  if (!std::getline(in, line)) return t;
  std::vector<std::string> names;
  std::istringstream header(line);
  std::string cell;
  while (std::getline(header, cell, ',')) names.push_back(cell.substr(0, cell.find(" [")));
  while (std::getline(in, line)) {
    std::istringstream row(line);
    for (std::size_t i = 0; i < names.size() && std::getline(row, cell, ','); ++i) {
      t.columns[names[i]].push_back(std::stod(cell));
    }
    ++t.rows;
  }
  return t;
}

Table seriesOfQuietRun(const std::string& name, const std::string& caseText) {
  const fs::path dir = scratchDirectory(name);
  writeText(dir / "case.json", caseText);
  const RunResult r = runTamo1d(dir, {"--quiet", "case.json"});
  EXPECT_EQ(r.exitCode, 0) << r.err << r.out;
  return readCsv(dir / "series.csv");
}

}  // namespace tamo1d::testing
