// One output file written while the run goes on: rows are appended to path + ".partial"
// (a name of its own: ".part" belongs to the whole-file writer and its probe) and
// flushed as they come, so the file holds complete rows only at every moment and the
// memory of a long run stays flat. finish() renames the part file into place (an earlier
// file at path stays untouched until then). A resumed run continues a file from the
// length a checkpoint recorded.
#ifndef TAMO1D_OUTPUT_STREAM_H
#define TAMO1D_OUTPUT_STREAM_H

#include <cstdint>
#include <cstdio>
#include <string>

namespace tamo1d {

class OutputStream {
 public:
  explicit OutputStream(std::string path) : path_(std::move(path)) {}
  ~OutputStream();
  OutputStream(const OutputStream&) = delete;
  OutputStream& operator=(const OutputStream&) = delete;

  // Starts the part file with `header`. Returns "" or the reason of the failure.
  std::string start(const std::string& header);
  // Starts the part file with the first `length` bytes of the interrupted run's file: its
  // part file when it was killed before a finish, else the finished file at path. Those
  // bytes must have the checksum `digest`. Returns "" or why not.
  std::string resume(int64_t length, uint64_t digest);
  // Appends whole lines and flushes; throws std::runtime_error with the reason.
  void append(const std::string& lines);
  // Closes the part file and renames it into place. Returns "" or the reason.
  std::string finish();

  const std::string& path() const { return path_; }
  std::string partPath() const { return path_ + ".partial"; }
  int64_t length() const { return length_; }   // bytes written so far
  uint64_t digest() const { return digest_; }  // checksum of those bytes (FNV-1a, 64 bit)

 private:
  std::string open();
  std::string path_;
  std::FILE* file_ = nullptr;
  int64_t length_ = 0;
  uint64_t digest_ = 0;
};

}  // namespace tamo1d

#endif
