"""tamo1d.Simulation: a case (a dict with the fields of the JSON case format, or a case
file) run by the host library libtamo1dhost - the same engine as the command line tamo1d -
with the results as numpy arrays.

    sim = tamo1d.Simulation("wall.json")          # or a dict
    sim.run()                                     # or sim.run(hours=24) repeatedly
    sim.series("surface_humidity_a")              # numpy array, one value per output time
    sim.summary()                                 # {name: SummaryItem}
"""

import collections
import ctypes
import json
import math
import os

import numpy as np

from . import host
from .errors import CaseError

SummaryItem = collections.namedtuple("SummaryItem", "name value unit limit verdict")


class SimulationStopped(RuntimeError):
    """The run stopped before its end (a step diverged at the minimum step, the kernel
    refused a step); the results so far stay readable on the Simulation."""


class Simulation:
    """case: a dict (the JSON case format) or the path of a case file. catalogue: a
    material catalogue folder searched first. base_dir: folder of relative climate files
    of a dict case (default: the working directory). Raises CaseError for a refused case."""

    def __init__(self, case, catalogue=None, base_dir=None):
        self._lib = host.load()
        run = ctypes.c_void_p()
        if isinstance(case, dict):
            self.source = "<case>"
            code = self._lib.tamoHostOpenText(json.dumps(case).encode("utf-8"),
                                              b"<case>", host.encode(catalogue),
                                              host.encode(base_dir), ctypes.byref(run))
        else:
            self.source = os.fspath(case)
            code = self._lib.tamoHostOpenFile(host.encode(case), host.encode(catalogue),
                                              ctypes.byref(run))
        self._run = run
        if code != host.OK:
            message = host.text(self._lib.tamoHostMessage(run)) if run else "out of memory"
            self.close()
            raise CaseError(message)
        self.warnings = [host.text(self._lib.tamoHostWarning(run, i))
                         for i in range(self._lib.tamoHostWarningCount(run))]

    def close(self):
        """Frees the run (also done when the object is collected)."""
        if getattr(self, "_run", None):
            self._lib.tamoHostClose(self._run)
            self._run = None

    def __del__(self):
        self.close()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    @property
    def title(self):
        return host.text(self._lib.tamoHostTitle(self._run))

    @property
    def duration_hours(self):
        return self._lib.tamoHostDuration(self._run) / 3600.0

    @property
    def simulated_hours(self):
        return self._lib.tamoHostSimulated(self._run) / 3600.0

    @property
    def finished(self):
        return bool(self._lib.tamoHostFinished(self._run))

    def run(self, hours=None, progress=None):
        """Advances by `hours` (None: to the end). progress: None (a bar on a terminal),
        False (none) or a function (simulated_s, total_s) -> True to cancel. Returns self;
        raises SimulationStopped when the simulation stopped."""
        callback = _progress_callback(progress)
        code = self._lib.tamoHostAdvance(self._run, 0.0 if hours is None else float(hours),
                                         host.PROGRESS(callback), None)
        if getattr(callback, "finish", None):
            callback.finish()
        if code == host.STOPPED:
            raise SimulationStopped(host.text(self._lib.tamoHostMessage(self._run)))
        if code not in (host.OK, host.CANCELLED):
            raise CaseError(host.text(self._lib.tamoHostMessage(self._run)))
        return self

    def _column_names(self, table):
        return [host.text(self._lib.tamoHostColumnName(self._run, table, i))
                for i in range(self._lib.tamoHostColumnCount(self._run, table))]

    def _column(self, table, name):
        rows = self._lib.tamoHostRowCount(self._run, table)
        values = np.zeros(rows, dtype=np.float64)
        count = ctypes.c_int32()
        code = self._lib.tamoHostGetColumn(
            self._run, table, name.encode("utf-8"),
            values.ctypes.data_as(ctypes.POINTER(ctypes.c_double)), rows, ctypes.byref(count))
        if code != host.OK:
            raise KeyError(f"{name}: not an output of this case "
                           f"(outputs: {', '.join(self._column_names(table))})")
        return values[:count.value]

    def series_names(self):
        """Names of the time-series columns: "time" (h) and the case's quantities."""
        return self._column_names(host.SERIES)

    def series_unit(self, name):
        names = self.series_names()
        return host.text(self._lib.tamoHostColumnUnit(self._run, host.SERIES, names.index(name)))

    def series(self, name):
        """One time-series column as a numpy array (instantaneous values at the output
        times)."""
        return self._column(host.SERIES, name)

    @property
    def profiles(self):
        """The profiles in long form: {"time", "position", "layer", <quantities>} ->
        numpy arrays, one entry per cell and profile time."""
        return {name: self._column(host.PROFILES, name)
                for name in self._column_names(host.PROFILES)}

    def summary(self):
        """The summary items in order: {name: SummaryItem(name, value, unit, limit,
        verdict)}; limit is None and verdict "" for items that are no judgement."""
        items = {}
        for i in range(self._lib.tamoHostSummaryCount(self._run)):
            name, unit, verdict = ctypes.c_char_p(), ctypes.c_char_p(), ctypes.c_char_p()
            value, limit = ctypes.c_double(), ctypes.c_double()
            self._lib.tamoHostSummaryItem(self._run, i, ctypes.byref(name), ctypes.byref(value),
                                          ctypes.byref(unit), ctypes.byref(limit),
                                          ctypes.byref(verdict))
            item = SummaryItem(host.text(name.value), value.value, host.text(unit.value),
                               None if math.isnan(limit.value) else limit.value,
                               host.text(verdict.value))
            items[item.name] = item
        return items

    def summary_text(self):
        """The summary as the command line prints it."""
        return host.text(self._lib.tamoHostSummaryText(self._run))

    def check_outputs(self, out_dir="."):
        """Raises CaseError when an output file of the case cannot be written in out_dir."""
        if self._lib.tamoHostCheckOutputs(self._run, host.encode(out_dir)) != host.OK:
            raise CaseError(host.text(self._lib.tamoHostMessage(self._run)))

    def write_outputs(self, out_dir="."):
        """Writes the case's CSV outputs under out_dir (as tamo1d does); returns the paths."""
        if self._lib.tamoHostWriteOutputs(self._run, host.encode(out_dir)) != host.OK:
            raise OSError(host.text(self._lib.tamoHostMessage(self._run)))
        return [host.text(self._lib.tamoHostWritten(self._run, i))
                for i in range(self._lib.tamoHostWrittenCount(self._run))]


def run_case(case, catalogue=None, base_dir=None, hours=None, series=None):
    """Runs a case dict (or file) to the end without progress output and returns
    {"summary": {name: value}, "series": {name: array}} - convenient for parameter studies
    (only plain data leaves the function). series: names to return (None: all)."""
    with Simulation(case, catalogue, base_dir) as simulation:
        simulation.run(hours=hours, progress=False)
        names = simulation.series_names() if series is None else list(series)
        return {"summary": {k: v.value for k, v in simulation.summary().items()},
                "series": {name: simulation.series(name) for name in names}}


class _TerminalBar:
    """A one-line progress bar on stderr, drawn only when stderr is a terminal."""

    def __init__(self):
        import sys
        self.stream = sys.stderr
        self.active = self.stream.isatty()
        self.drawn = False

    def __call__(self, done, total, _user=None):
        if self.active and total > 0:
            fraction = min(max(done / total, 0.0), 1.0)
            filled = int(fraction * 40)
            self.stream.write(f"\r[{'#' * filled}{'.' * (40 - filled)}] {fraction * 100:5.1f}%")
            self.stream.flush()
            self.drawn = True
        return 0

    def finish(self):
        if self.drawn:
            self.stream.write("\r" + " " * 60 + "\r")
            self.stream.flush()


def _progress_callback(progress):
    if progress is None:
        return _TerminalBar()
    if progress is False:
        return lambda done, total, user: 0
    return lambda done, total, user: 1 if progress(done, total) else 0
