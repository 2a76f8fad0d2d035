// Floating-point mode of the solver's arithmetic: flush-to-zero and denormals-are-zero on
// the current thread for the lifetime of the guard; the caller's mode is restored after.
#pragma once

#if defined(__SSE__) || defined(__x86_64__) || defined(_M_X64)
#include <xmmintrin.h>
#define TAMO_HAVE_MXCSR 1
#endif

namespace tamo {

class FloatingPointModeGuard {
 public:
#if defined(TAMO_HAVE_MXCSR)
  static constexpr unsigned kFlushToZero = 0x8000;     // FTZ, bit 15
  static constexpr unsigned kDenormalsAreZero = 0x40;  // DAZ, bit 6
  FloatingPointModeGuard() : saved_(_mm_getcsr()) {
    _mm_setcsr(saved_ | kFlushToZero | kDenormalsAreZero);
  }
  ~FloatingPointModeGuard() { _mm_setcsr(saved_); }

 private:
  unsigned saved_;
#else
  FloatingPointModeGuard() = default;
#endif
 public:
  FloatingPointModeGuard(const FloatingPointModeGuard&) = delete;
  FloatingPointModeGuard& operator=(const FloatingPointModeGuard&) = delete;
};

}  // namespace tamo
