// A one-line progress bar on stderr, drawn only when stderr is a terminal.
#ifndef TAMO1D_PROGRESS_BAR_H
#define TAMO1D_PROGRESS_BAR_H

#include <chrono>

namespace tamo1d {

class ProgressBar {
 public:
  // enabled: the caller allows it; the bar still stays off when stderr is no terminal.
  ProgressBar(double total, bool enabled);
  // done: simulated seconds so far; redraws at most every 0.1 s of wall time.
  void update(double done);
  // Clears the line.
  void finish();

 private:
  double total_;  // simulated seconds of the run
  bool active_;
  std::chrono::steady_clock::time_point start_, lastDraw_;
};

}  // namespace tamo1d

#endif
