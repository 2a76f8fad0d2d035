// Process-wide table of simulation contexts, addressed by 1-based handles.
#pragma once

#include <cstdint>

namespace tamo {

struct Context;

// Creates a context in the lowest free slot (doubling the capacity when every slot is
// taken). Returns the handle, or -11 when memory cannot be obtained (nothing changes).
int32_t createContext();

// Returns the context of a valid handle, or nullptr.
Context* findContext(int32_t handle);

// Releases the context of a valid handle and frees its slot. Returns 0 or -1.
int32_t deleteContext(int32_t handle);

// Current capacity of the table (0 before the first create).
int32_t contextTableCapacity();

}  // namespace tamo
