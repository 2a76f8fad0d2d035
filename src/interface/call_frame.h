// The frame every exported operation with a handle follows: validate the handle, run the
// operation's own checks and its internal routine inside one exception firewall and the
// library's floating-point mode, and hand back a result code. Nothing escapes as an
// exception: an allocation failure becomes -11, anything else -22.
#pragma once

#include <cstdint>
#include <new>

#include "interface/context_table.h"
#include "interface/fp_mode.h"
#include "interface/result_codes.h"

namespace tamo {

// Runs body(Context&) for a valid handle; body returns the result code.
template <typename Body>
int32_t withContext(int32_t handle, Body&& body) noexcept {
  try {
    Context* ctx = findContext(handle);
    if (!ctx) return kInvalidHandle;
    FloatingPointModeGuard fpMode;
    return body(*ctx);
  } catch (const std::bad_alloc&) {
    return kNoMemory;
  } catch (...) {
    return kBadArgument;
  }
}

// Runs a handle-free routine inside the firewall and the floating-point mode.
template <typename Body>
auto withoutContext(Body&& body) noexcept -> decltype(body()) {
  try {
    FloatingPointModeGuard fpMode;
    return body();
  } catch (...) {
    return decltype(body())();
  }
}

}  // namespace tamo
