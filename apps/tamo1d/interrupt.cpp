#include "interrupt.h"

#include <csignal>

namespace tamo1d {

namespace {

volatile std::sig_atomic_t received = 0;

extern "C" void noteSignal(int signal) {
  received = signal;
}

}  // namespace

void installInterruptHandlers() {
  std::signal(SIGINT, noteSignal);
  std::signal(SIGTERM, noteSignal);
}

int interruptSignal() {
  return received;
}

}  // namespace tamo1d
