// The byte layout of checkpoint files: a fixed magic line and format number, then fields
// in a fixed order, each a little-endian 64-bit integer or IEEE double, or a length
// followed by that many bytes or doubles. Doubles are stored bit for bit, so a restored
// value is the value saved.
#ifndef TAMO1D_CHECKPOINT_FILE_H
#define TAMO1D_CHECKPOINT_FILE_H

#include <cstdint>
#include <string>
#include <vector>

namespace tamo1d {

inline constexpr char kCheckpointMagic[] = "tamo1d checkpoint\n";
inline constexpr int64_t kCheckpointFormat = 2;  // 2: observer tables and state

class CheckpointWriter {
 public:
  CheckpointWriter();  // writes the magic and the format number
  void integer(int64_t v);
  void number(double v);
  void text(const std::string& s);
  void numbers(const std::vector<double>& v);
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

class CheckpointReader {
 public:
  // Checks the magic and the format number; throws CaseError(file, ...) on a mismatch.
  CheckpointReader(std::string bytes, std::string file);
  int64_t integer();
  double number();
  std::string text();
  std::vector<double> numbers();
  bool atEnd() const { return pos_ == bytes_.size(); }
  // Throws CaseError naming the file and `what`.
  [[noreturn]] void fail(const std::string& what) const;

 private:
  uint64_t word();
  std::string bytes_, file_;
  std::size_t pos_ = 0;
};

// A step observer's part of a checkpoint: the observer's own layout number (changed with
// what it saves, so that an older checkpoint is refused, not misread) and its numbers.
std::string observerState(int64_t layout, const std::vector<double>& numbers);
// The numbers of a part written by observerState with `layout`; false when `bytes` is not
// such a part (another layout, damaged).
bool readObserverState(const std::string& bytes, int64_t layout, std::vector<double>& numbers);

// Reads a whole file; throws CaseError with the operating system's reason.
std::string readWholeFile(const std::string& path);

}  // namespace tamo1d

#endif
