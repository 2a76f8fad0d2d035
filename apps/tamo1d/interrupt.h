// SIGINT and SIGTERM end a run in order: the handler only notes the signal; the run's
// progress callback sees it after the current step, the run is cancelled, a checkpoint and
// the outputs so far are written, and the program exits with 128 + the signal number.
#ifndef TAMO1D_INTERRUPT_H
#define TAMO1D_INTERRUPT_H

namespace tamo1d {

void installInterruptHandlers();
// The signal received (SIGINT or SIGTERM), 0 when none.
int interruptSignal();

}  // namespace tamo1d

#endif
