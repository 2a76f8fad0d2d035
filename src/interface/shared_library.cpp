// The shared library's own translation unit. The library needs no start-up work when it is
// loaded: the solver's floating-point mode (flush-to-zero, denormals-are-zero) is set for
// the duration of each computing call on the calling thread and on every OpenMP worker, and
// the caller's mode is restored afterwards, so a host's threads (a JVM's, say) keep theirs.
#include "tamo1dkernel.h"
