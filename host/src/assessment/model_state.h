// The state an assessment model keeps between steps, as a list of numbers, for checkpoints:
// each model appends its state in a fixed order and reads it back in the same order. Counts
// and flags are stored as doubles, which hold them exactly.
#ifndef TAMO1D_ASSESSMENT_MODEL_STATE_H
#define TAMO1D_ASSESSMENT_MODEL_STATE_H

#include <cmath>
#include <cstddef>
#include <vector>

namespace tamo1d::assessment {

class StateReader {
 public:
  explicit StateReader(const std::vector<double>& numbers) : numbers_(numbers) {}

  double number() {
    if (pos_ >= numbers_.size()) {
      valid_ = false;
      return 0.0;
    }
    return numbers_[pos_++];
  }
  // A count or flag: a whole number from 0 to `largest`, else the state is not valid.
  long count(double largest = 1e15) {
    const double v = number();
    if (!(v >= 0.0 && v <= largest && v == std::floor(v))) valid_ = false;
    return valid_ ? static_cast<long>(v) : 0;
  }
  bool flag() { return count(1.0) != 0; }
  // True when every number read was valid and all numbers were read.
  bool complete() const { return valid_ && pos_ == numbers_.size(); }
  bool valid() const { return valid_; }

 private:
  const std::vector<double>& numbers_;
  std::size_t pos_ = 0;
  bool valid_ = true;
};

}  // namespace tamo1d::assessment

#endif
