"""A progress line for a study: variants finished and failed, and the time left estimated
from the variants finished in this session."""

import sys
import time


class StudyProgress:
    """total: variants of the study; skipped: those already in the output folder.
    enabled None: draw when the stream is a terminal."""

    def __init__(self, total, skipped=0, enabled=None, stream=None):
        self.stream = stream if stream is not None else sys.stderr
        if enabled is None:
            enabled = hasattr(self.stream, "isatty") and self.stream.isatty()
        self.active = bool(enabled)
        self.total, self.skipped = total, skipped
        self.finished = self.failed = 0
        self.start = time.monotonic()

    def add(self, failed):
        self.finished += 1
        self.failed += 1 if failed else 0
        self.draw()

    def line(self):
        done = self.skipped + self.finished
        remaining = self.total - done
        elapsed = time.monotonic() - self.start
        eta = elapsed / self.finished * remaining if self.finished else float("nan")
        width = 30
        filled = int(width * done / self.total) if self.total else width
        eta_text = "--" if eta != eta else _duration(eta)
        return (f"[{'#' * filled}{'.' * (width - filled)}] {done}/{self.total} done, "
                f"{self.failed} failed, {self.skipped} from before, {eta_text} left")

    def draw(self):
        if self.active:
            self.stream.write("\r" + self.line() + " ")
            self.stream.flush()

    def finish(self):
        if self.active:
            self.stream.write("\n")
            self.stream.flush()


def _duration(seconds):
    seconds = int(round(seconds))
    hours, rest = divmod(seconds, 3600)
    return f"{hours}:{rest // 60:02d}:{rest % 60:02d}" if hours else \
        f"{rest // 60}:{rest % 60:02d}"
