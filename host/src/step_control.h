// Time step control of the host: covers one output interval with library steps, and when
// a step diverges (result -20) or does not converge (status value 2) repeats it from the
// saved state with half the step, down to the minimum step. After the interval the next
// one starts again with the normal step.
#ifndef TAMO1D_STEP_CONTROL_H
#define TAMO1D_STEP_CONTROL_H

#include <cstdint>
#include <functional>
#include <string>

namespace tamo1d {

// What one library step reported.
struct StepOutcome {
  int32_t result = 0;      // result code of tamoStep2
  int32_t status = 0;      // status word
  int32_t iterations = 0;  // inner iterations
};

struct StepStatistics {
  long steps = 0;                // accepted library steps
  long attempts = 0;             // library steps run, repeated ones included
  long halvings = 0;             // steps repeated with half the length
  long unconvergedAccepted = 0;  // steps accepted at the minimum step without convergence
  long rainMismatch = 0;         // accepted steps reporting a rain uptake mismatch
  long long iterations = 0;      // inner iterations of all attempts
  double smallestStep = 0.0;     // s, shortest accepted step (0 before the first)
};

class StepController {
 public:
  // attempt(start, dt): one library step of dt seconds from the current state, the climate
  // taken at start + dt. save(): keep the current state; restore(): return to it.
  using Attempt = std::function<StepOutcome(double start, double dt)>;
  using Action = std::function<void()>;
  // accepted(end, dt): a step ending at `end` (s) of length dt was accepted.
  using Accepted = std::function<void(double end, double dt)>;

  StepController(double minimumStep, bool repeatUnconverged)
      : minimumStep_(minimumStep), repeatUnconverged_(repeatUnconverged) {}

  // Advances from `start` by `length` seconds. Returns false with *failure set when a step
  // diverges at the minimum step or the library refuses a step; the state is then the
  // saved state before the failing step.
  bool advance(double start, double length, const Attempt& attempt, const Action& save,
               const Action& restore, const Accepted& accepted, StepStatistics& statistics,
               std::string* failure) const;

 private:
  double minimumStep_;      // s
  bool repeatUnconverged_;  // also repeat steps whose status reports no convergence
};

}  // namespace tamo1d

#endif
