#include "step_control.h"

#include <algorithm>
#include <sstream>

#include "tamo1dkernel.h"

namespace tamo1d {

bool StepController::advance(double start, double length, const Attempt& attempt,
                             const Action& save, const Action& restore, const Accepted& accepted,
                             StepStatistics& statistics, std::string* failure) const {
  double done = 0.0;     // s of the interval already covered
  double step = length;  // s, current step; halves on failure, never grows in the interval
  while (done < length) {
    step = std::min(step, length - done);
    save();
    const StepOutcome out = attempt(start + done, step);
    ++statistics.attempts;
    statistics.iterations += out.iterations;
    if (out.result != TAMO_OK && out.result != TAMO_DIVERGED) {
      restore();
      std::ostringstream text;
      text << "the library refused the step at t = " << (start + done) / 3600.0
           << " h: " << tamoResultName(out.result) << " (" << out.result << ")";
      *failure = text.str();
      return false;
    }
    const bool diverged = out.result == TAMO_DIVERGED || (out.status & TAMO_STATUS_DIVERGED);
    const bool unconverged = (out.status & TAMO_STATUS_NOT_CONVERGED) != 0;
    const bool repeat = diverged || (repeatUnconverged_ && unconverged);
    if (repeat && step * 0.5 >= minimumStep_) {
      restore();
      step *= 0.5;
      ++statistics.halvings;
      continue;
    }
    if (diverged) {
      restore();
      std::ostringstream text;
      text << "the step diverged at t = " << (start + done) / 3600.0 << " h with the step " << step
           << " s, and half of it would be below the minimum step " << minimumStep_ << " s";
      *failure = text.str();
      return false;
    }
    if (unconverged) ++statistics.unconvergedAccepted;
    if (out.status & TAMO_STATUS_RAIN_MISMATCH) ++statistics.rainMismatch;
    done += step;
    ++statistics.steps;
    if (accepted) accepted(start + done, step);
    statistics.smallestStep =
        statistics.smallestStep == 0.0 ? step : std::min(statistics.smallestStep, step);
  }
  return true;
}

}  // namespace tamo1d
