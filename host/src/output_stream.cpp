#include "output_stream.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "output_table.h"

namespace tamo1d {

namespace {

constexpr uint64_t kDigestStart = 14695981039346656037ull;

uint64_t digestOf(uint64_t digest, const std::string& bytes) {
  for (const char c : bytes) {
    digest = (digest ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  }
  return digest;
}

}  // namespace

OutputStream::~OutputStream() {
  if (file_) std::fclose(file_);
}

std::string OutputStream::open() {
  // Creates missing folders the same way the whole-file writer does.
  if (std::string problem = probeWritable(path_); !problem.empty()) return problem;
  const std::string part = partPath();
  file_ = std::fopen(part.c_str(), "wb");
  if (!file_) return "cannot open " + part + " for writing: " + std::strerror(errno);
  length_ = 0;
  digest_ = kDigestStart;
  return "";
}

std::string OutputStream::start(const std::string& header) {
  if (std::string problem = open(); !problem.empty()) return problem;
  try {
    append(header);
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "";
}

std::string OutputStream::resume(int64_t length, uint64_t digest) {
  // The part file of a run killed without the chance to finish, else the finished file.
  // Its first `length` bytes are read before the part file is truncated.
  std::string source = partPath();
  std::error_code ec;
  if (!std::filesystem::exists(source, ec)) source = path_;
  std::vector<char> kept(static_cast<std::size_t>(length));
  std::FILE* in = std::fopen(source.c_str(), "rb");
  if (!in) return "cannot read " + source + " to continue it: " + std::strerror(errno);
  const std::size_t got = std::fread(kept.data(), 1, kept.size(), in);
  std::fclose(in);
  if (got != kept.size()) {
    return source + " is shorter than the checkpoint recorded (" + std::to_string(got) + " of " +
           std::to_string(length) + " bytes): it does not belong to the checkpoint";
  }
  const std::string text(kept.begin(), kept.end());
  if (digestOf(kDigestStart, text) != digest) {
    return source +
           " differs from what the checkpoint recorded: it was changed or belongs to "
           "another run";
  }
  if (std::string problem = open(); !problem.empty()) return problem;
  try {
    append(text);
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "";
}

void OutputStream::append(const std::string& lines) {
  if (!file_) throw std::runtime_error("the output " + path_ + " is not open");
  if (std::fwrite(lines.data(), 1, lines.size(), file_) != lines.size() ||
      std::fflush(file_) != 0) {
    throw std::runtime_error("cannot write " + partPath() + ": " + std::strerror(errno));
  }
  length_ += static_cast<int64_t>(lines.size());
  digest_ = digestOf(digest_, lines);
}

std::string OutputStream::finish() {
  if (!file_) return "";
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  const std::string part = partPath();
  if (!closed) return "cannot write " + part + ": " + std::strerror(errno);
  std::error_code ec;
  std::filesystem::rename(part, path_, ec);
  if (ec) return "cannot replace " + path_ + ": " + ec.message();
  return "";
}

}  // namespace tamo1d
