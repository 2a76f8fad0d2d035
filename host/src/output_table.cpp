#include "output_table.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tamo1d {

void OutputTable::addColumn(std::string name, std::string unit) {
  names_.push_back(std::move(name));
  units_.push_back(std::move(unit));
  values_.emplace_back();
}

int OutputTable::find(const std::string& name) const {
  for (std::size_t c = 0; c < names_.size(); ++c) {
    if (names_[c] == name) return static_cast<int>(c);
  }
  return -1;
}

void OutputTable::append(const std::vector<double>& row) {
  for (std::size_t c = 0; c < values_.size(); ++c) values_[c].push_back(row[c]);
}

std::string OutputTable::csv() const {
  std::ostringstream out;
  out.precision(8);
  for (std::size_t c = 0; c < names_.size(); ++c) {
    out << (c == 0 ? "" : ",") << names_[c] << " [" << units_[c] << ']';
  }
  out << '\n';
  const std::size_t rows = static_cast<std::size_t>(rowCount());
  for (std::size_t r = 0; r < rows; ++r) {
    for (std::size_t c = 0; c < values_.size(); ++c) out << (c == 0 ? "" : ",") << values_[c][r];
    out << '\n';
  }
  return out.str();
}

namespace {

std::string createParent(const std::filesystem::path& path) {
  const std::filesystem::path parent = path.parent_path();
  std::error_code ec;
  if (!parent.empty() && !std::filesystem::is_directory(parent, ec)) {
    std::filesystem::create_directories(parent, ec);
    if (ec) return "cannot create the folder " + parent.string() + ": " + ec.message();
  }
  return "";
}

std::string writeWhole(const std::string& path, const std::string& text) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return "cannot open " + path + " for writing: " + std::strerror(errno);
  const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  const int savedErrno = errno;
  const bool closed = std::fclose(f) == 0;
  if (!written || !closed) {
    std::remove(path.c_str());
    return "cannot write " + path + ": " + std::strerror(written ? errno : savedErrno);
  }
  return "";
}

}  // namespace

std::string replaceFile(const std::string& path, const std::string& text) {
  if (std::string problem = createParent(path); !problem.empty()) return problem;
  const std::string part = path + ".part";
  if (std::string problem = writeWhole(part, text); !problem.empty()) return problem;
  std::error_code ec;
  std::filesystem::rename(part, path, ec);
  if (ec) {
    std::filesystem::remove(part, ec);
    return "cannot replace " + path + ": " + ec.message();
  }
  return "";
}

std::string probeWritable(const std::string& path) {
  if (std::string problem = createParent(path); !problem.empty()) return problem;
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return path + " is a folder";
  const std::string part = path + ".part";
  if (std::string problem = writeWhole(part, ""); !problem.empty()) return problem;
  std::filesystem::remove(part, ec);
  return "";
}

}  // namespace tamo1d
