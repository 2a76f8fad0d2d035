// Test support: owns one context of the process-wide table for the duration of a test and
// gives the test access to its internal record.
#pragma once

#include <cstdint>

#include "interface/context_table.h"
#include "model/context.h"
#include "tamo1dkernel.h"

namespace tamo::test_support {

class ScopedContext {
 public:
  ScopedContext() : handle_(tamoCreateContext()) {}
  ~ScopedContext() { tamoDeleteContext(handle_); }
  ScopedContext(const ScopedContext&) = delete;
  ScopedContext& operator=(const ScopedContext&) = delete;
  int32_t handle() const { return handle_; }
  tamo::Context& ctx() const { return *tamo::findContext(handle_); }

 private:
  int32_t handle_;
};

}  // namespace tamo::test_support
