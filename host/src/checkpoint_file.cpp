#include "checkpoint_file.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "case_error.h"

namespace tamo1d {

namespace {

void putWord(std::string& out, uint64_t w) {
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>((w >> (8 * i)) & 0xffu));
}

// Lengths above this are a damaged file, not a run (no run has 2^40 values).
constexpr uint64_t kLongestField = uint64_t{1} << 40;

}  // namespace

CheckpointWriter::CheckpointWriter() : bytes_(kCheckpointMagic) {
  integer(kCheckpointFormat);
}

void CheckpointWriter::integer(int64_t v) {
  putWord(bytes_, static_cast<uint64_t>(v));
}

void CheckpointWriter::number(double v) {
  putWord(bytes_, std::bit_cast<uint64_t>(v));
}

void CheckpointWriter::text(const std::string& s) {
  integer(static_cast<int64_t>(s.size()));
  bytes_ += s;
}

void CheckpointWriter::numbers(const std::vector<double>& v) {
  integer(static_cast<int64_t>(v.size()));
  for (const double x : v) number(x);
}

CheckpointReader::CheckpointReader(std::string bytes, std::string file)
    : bytes_(std::move(bytes)), file_(std::move(file)) {
  const std::size_t magic = std::strlen(kCheckpointMagic);
  if (bytes_.compare(0, magic, kCheckpointMagic) != 0) fail("is not a tamo1d checkpoint");
  pos_ = magic;
  if (integer() != kCheckpointFormat) fail("has a checkpoint format this program does not read");
}

uint64_t CheckpointReader::word() {
  if (bytes_.size() - pos_ < 8) fail("ends early (damaged or cut)");
  uint64_t w = 0;
  for (int i = 0; i < 8; ++i) {
    w |= static_cast<uint64_t>(
             static_cast<unsigned char>(bytes_[pos_ + static_cast<std::size_t>(i)]))
         << (8 * i);
  }
  pos_ += 8;
  return w;
}

int64_t CheckpointReader::integer() {
  return static_cast<int64_t>(word());
}

double CheckpointReader::number() {
  return std::bit_cast<double>(word());
}

std::string CheckpointReader::text() {
  const uint64_t n = word();
  if (n > kLongestField || n > bytes_.size() - pos_) fail("ends early (damaged or cut)");
  std::string s = bytes_.substr(pos_, static_cast<std::size_t>(n));
  pos_ += static_cast<std::size_t>(n);
  return s;
}

std::vector<double> CheckpointReader::numbers() {
  const uint64_t n = word();
  if (n > kLongestField || n > (bytes_.size() - pos_) / 8) fail("ends early (damaged or cut)");
  std::vector<double> v(static_cast<std::size_t>(n));
  for (double& x : v) x = number();
  return v;
}

void CheckpointReader::fail(const std::string& what) const {
  throw CaseError(file_, "", what);
}

std::string observerState(int64_t layout, const std::vector<double>& numbers) {
  CheckpointWriter out;
  out.integer(layout);
  out.numbers(numbers);
  return out.bytes();
}

bool readObserverState(const std::string& bytes, int64_t layout, std::vector<double>& numbers) {
  try {
    CheckpointReader in(bytes, "");
    if (in.integer() != layout) return false;
    numbers = in.numbers();
    return in.atEnd();
  } catch (const CaseError&) {
    return false;
  }
}

std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw CaseError(path, "", std::string("cannot be read: ") + std::strerror(errno));
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

}  // namespace tamo1d
