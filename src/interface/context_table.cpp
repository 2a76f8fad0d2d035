#include "interface/context_table.h"

#include <memory>
#include <new>
#include <vector>

#include "interface/result_codes.h"
#include "model/context.h"

#ifdef TAMO_THREAD_SAFE_TABLE
#include <mutex>
#endif

namespace tamo {
namespace {

// Slot i (1-based) lives at slots[i-1]; an empty slot holds nullptr.
std::vector<std::unique_ptr<Context>>& slots() {
  static std::vector<std::unique_ptr<Context>> table;
  return table;
}

#ifdef TAMO_THREAD_SAFE_TABLE
std::mutex& tableMutex() {
  static std::mutex m;
  return m;
}
#define TAMO_TABLE_LOCK std::lock_guard<std::mutex> lock(tableMutex())
#else
#define TAMO_TABLE_LOCK
#endif

}  // namespace

int32_t createContext() {
  TAMO_TABLE_LOCK;
  auto& table = slots();
  try {
    if (table.empty()) table.resize(1);
    std::size_t slot = 0;
    while (slot < table.size() && table[slot]) ++slot;
    if (slot == table.size()) {
      if (table.size() > 0x3fffffff) return kNoMemory;  // handles are 32-bit
      std::vector<std::unique_ptr<Context>> grown(table.size() * 2);
      auto record = std::make_unique<Context>();
      for (std::size_t i = 0; i < table.size(); ++i) grown[i] = std::move(table[i]);
      table.swap(grown);
      record->handle = static_cast<int32_t>(slot + 1);
      table[slot] = std::move(record);
      return static_cast<int32_t>(slot + 1);
    }
    auto record = std::make_unique<Context>();
    record->handle = static_cast<int32_t>(slot + 1);
    table[slot] = std::move(record);
    return static_cast<int32_t>(slot + 1);
  } catch (const std::bad_alloc&) {
    return kNoMemory;
  }
}

Context* findContext(int32_t handle) {
  TAMO_TABLE_LOCK;
  auto& table = slots();
  if (handle < 1 || static_cast<std::size_t>(handle) > table.size()) return nullptr;
  return table[static_cast<std::size_t>(handle) - 1].get();
}

int32_t deleteContext(int32_t handle) {
  // The record leaves the table under the lock and is released after it.
  std::unique_ptr<Context> record;
  {
    TAMO_TABLE_LOCK;
    auto& table = slots();
    if (handle < 1 || static_cast<std::size_t>(handle) > table.size()) return kInvalidHandle;
    record = std::move(table[static_cast<std::size_t>(handle) - 1]);
  }
  if (!record) return kInvalidHandle;
  releaseContextArrays(*record);
  return kOk;
}

int32_t contextTableCapacity() {
  TAMO_TABLE_LOCK;
  return static_cast<int32_t>(slots().size());
}

}  // namespace tamo
