#include "kernel_lock.h"

namespace tamo1d {

std::mutex& kernelMutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace tamo1d
