// The host's one lock around the library. The library's context table is process-wide
// and, in its default build, unguarded: a process issues one library call at a time
// across all contexts. Every library call of the host (context creation and deletion, the
// model definition, each time step, each result query) runs while holding this mutex, so
// that runs on different threads are safe whatever the library build. Calls of different
// runs interleave rather than overlap: threads help a caller that keeps several runs open,
// not throughput; parallel parameter studies use processes.
#ifndef TAMO1D_KERNEL_LOCK_H
#define TAMO1D_KERNEL_LOCK_H

#include <mutex>

namespace tamo1d {

// Hold a std::lock_guard on it for the duration of one or a few library calls; never
// while calling back into the caller (progress callbacks) or taking another lock.
std::mutex& kernelMutex();

}  // namespace tamo1d

#endif
