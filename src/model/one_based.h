// 1-based containers: the balance equations number nodes and interfaces from 1, and so does
// the code. An owned array of n entries holds n+1 doubles with entry 0 unused; a view over
// host memory maps entry i to ptr[i-1].
#pragma once

#include <cstddef>
#include <vector>

namespace tamo {

// Owned 1-based array: entries 1..size(), entry 0 unused.
template <typename T>
class OneBased {
 public:
  OneBased() = default;
  // Allocates n+1 entries of value v (may throw std::bad_alloc).
  void assign(std::size_t n, T v) { data_.assign(n + 1, v); }
  void release() {
    data_.clear();
    data_.shrink_to_fit();
  }
  bool empty() const { return data_.empty(); }
  std::size_t size() const { return data_.empty() ? 0 : data_.size() - 1; }
  T& operator[](std::size_t i) { return data_[i]; }
  const T& operator[](std::size_t i) const { return data_[i]; }
  T* data1() { return data_.data() + 1; }  // address of entry 1
  const T* data1() const { return data_.data() + 1; }

 private:
  std::vector<T> data_;
};

// 1-based view over a host array: view[1] is ptr[0].
template <typename T>
class HostArray {
 public:
  explicit HostArray(T* p) : base_(p - 1) {}
  T& operator[](std::ptrdiff_t i) const { return base_[i]; }

 private:
  T* base_;
};

}  // namespace tamo
