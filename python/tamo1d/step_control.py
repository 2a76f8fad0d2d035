"""Step control: covers one interval with library steps, halving the step on trouble.

When a step diverges (result -20 or status bit 4) or, with repeat_unconverged, does not
converge (status bit 2), the step is repeated from the saved state with half its length,
down to the minimum step. The next interval starts again with the normal step.
"""

from .errors import TamoError

TAMO_OK = 0
TAMO_DIVERGED = -20
STATUS_RAIN_MISMATCH = 1
STATUS_NOT_CONVERGED = 2
STATUS_DIVERGED = 4


class StepStatistics:
    def __init__(self):
        self.steps = 0                  # accepted library steps
        self.attempts = 0               # library steps run, repeated ones included
        self.halvings = 0               # steps repeated with half the length
        self.unconverged_accepted = 0   # accepted at the minimum step without convergence
        self.rain_mismatch = 0          # accepted steps reporting a rain uptake mismatch
        self.iterations = 0             # inner iterations of all attempts
        self.smallest_step = 0.0        # s, shortest accepted step (0 before the first)


class SimulationStopped(RuntimeError):
    """The run could not go on: a step diverged at the minimum step or was refused."""

    def __init__(self, message, seconds):
        super().__init__(message)
        self.seconds = seconds


def advance(start, length, attempt, save, restore, statistics, minimum_step,
            repeat_unconverged=True):
    """Advances from `start` by `length` s. attempt(start, dt) runs one library step and
    returns its StepOutcome; save() keeps the state, restore() returns to it. Raises
    SimulationStopped (the state is then the saved one before the failing step)."""
    done = 0.0
    step = length
    while done < length:
        step = min(step, length - done)
        save()
        outcome = attempt(start + done, step)
        statistics.attempts += 1
        statistics.iterations += outcome.iterations
        if outcome.result not in (TAMO_OK, TAMO_DIVERGED):
            restore()
            error = TamoError(outcome.result, "tamoStep2")
            raise SimulationStopped(f"the library refused the step at t = "
                                    f"{(start + done) / 3600.0:g} h: {error}", start + done)
        diverged = outcome.result == TAMO_DIVERGED or (outcome.status & STATUS_DIVERGED) != 0
        unconverged = (outcome.status & STATUS_NOT_CONVERGED) != 0
        repeat = diverged or (repeat_unconverged and unconverged)
        if repeat and step * 0.5 >= minimum_step:
            restore()
            step *= 0.5
            statistics.halvings += 1
            continue
        if diverged:
            restore()
            raise SimulationStopped(
                f"the step diverged at t = {(start + done) / 3600.0:g} h with the step {step:g} "
                f"s, and half of it would be below the minimum step {minimum_step:g} s",
                start + done)
        if unconverged:
            statistics.unconverged_accepted += 1
        if outcome.status & STATUS_RAIN_MISMATCH:
            statistics.rain_mismatch += 1
        done += step
        statistics.steps += 1
        statistics.smallest_step = (step if statistics.smallest_step == 0.0
                                    else min(statistics.smallest_step, step))
