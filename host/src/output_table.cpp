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
  if (keepRows_) {
    for (std::size_t c = 0; c < values_.size(); ++c) values_[c].push_back(row[c]);
  }
  if (sink_) sink_(line(row));
}

void OutputTable::stream(std::function<void(const std::string&)> sink, bool keepRows) {
  sink_ = std::move(sink);
  keepRows_ = keepRows;
  if (!keepRows_) clearRows();
}

void OutputTable::clearRows() {
  for (std::vector<double>& column : values_) column.clear();
}

std::string OutputTable::header() const {
  std::string text;
  for (std::size_t c = 0; c < names_.size(); ++c) {
    text += (c == 0 ? "" : ",") + names_[c] + " [" + units_[c] + ']';
  }
  return text + '\n';
}

std::string OutputTable::line(const std::vector<double>& row) const {
  std::ostringstream out;
  out.precision(8);
  for (std::size_t c = 0; c < row.size(); ++c) out << (c == 0 ? "" : ",") << row[c];
  out << '\n';
  return out.str();
}

std::string OutputTable::csv() const {
  std::string text = header();
  const std::size_t rows = static_cast<std::size_t>(rowCount());
  std::vector<double> row(values_.size());
  for (std::size_t r = 0; r < rows; ++r) {
    for (std::size_t c = 0; c < values_.size(); ++c) row[c] = values_[c][r];
    text += line(row);
  }
  return text;
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
