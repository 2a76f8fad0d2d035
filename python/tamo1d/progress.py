"""A one-line progress bar on stderr, drawn only when stderr is a terminal."""

import sys
import time


class ProgressBar:
    """total: simulated seconds of the run; enabled None: draw when stderr is a terminal."""

    WIDTH = 40

    def __init__(self, total, enabled=None, stream=None):
        self.stream = stream if stream is not None else sys.stderr
        if enabled is None:
            enabled = hasattr(self.stream, "isatty") and self.stream.isatty()
        self.total = float(total)
        self.active = bool(enabled) and self.total > 0.0
        self.start = time.monotonic()
        self.last_draw = -1.0

    def update(self, done):
        """done: simulated seconds so far; redraws at most every 0.1 s of wall time."""
        if not self.active:
            return
        now = time.monotonic()
        if now - self.last_draw < 0.1 and done < self.total:
            return
        self.last_draw = now
        fraction = min(max(done / self.total, 0.0), 1.0)
        filled = int(fraction * self.WIDTH)
        elapsed = now - self.start
        remaining = elapsed * (1.0 - fraction) / fraction if fraction > 0.0 else 0.0
        bar = "#" * filled + "." * (self.WIDTH - filled)
        self.stream.write(f"\r[{bar}] {fraction * 100.0:5.1f}%  day {done / 86400.0:7.1f}  "
                          f"{remaining:6.1f} s left ")
        self.stream.flush()

    def finish(self):
        if self.active:
            self.stream.write("\r" + " " * 80 + "\r")
            self.stream.flush()
