"""Which results a study keeps of each run, reduced in the worker to a few numbers: time
series reduced by min / mean / max / final (a name with `*` stands for every layer, or
every boundary between layers for the interface quantities), and the run's summary items
(totals, extremes and the assessments' values with their verdicts), taken by name as the
host reports them."""

import math

import numpy as np

from .errors import StudyError

REDUCTIONS = {
    "min": np.min, "mean": np.mean, "max": np.max, "final": lambda values: values[-1],
}


class Collect:
    """series: {name: [reduction, ...]} as in the study file; summary: keep the summary items."""

    def __init__(self, series, summary):
        self.series = series
        self.summary = summary

    def series_names(self, layer_count):
        """{series name: reductions}, `*` expanded for a case with layer_count layers."""
        names = {}
        for name, reductions in self.series.items():
            if "*" in name:
                highest = layer_count - 1 if "interface" in name else layer_count
                for number in range(1, highest + 1):
                    names[name.replace("*", str(number))] = reductions
            else:
                names[name] = reductions
        return names

    def reduce(self, wanted, series, summary_items):
        """Flat dict of results. wanted: series_names(); series: {name: array};
        summary_items: [(name, value, unit, limit, verdict)]. Columns:
        `<series>.<reduction>`, `<summary item>` and `<summary item>.verdict`."""
        row = {}
        for name, reductions in wanted.items():
            values = np.asarray(series[name], dtype=float)
            for reduction in reductions:
                row[f"{name}.{reduction}"] = float(REDUCTIONS[reduction](values)) \
                    if values.size else math.nan
        if self.summary:
            for name, value, _unit, _limit, verdict in summary_items:
                row[name] = float(value)
                if verdict:
                    row[f"{name}.verdict"] = verdict
        return row


def collect_from_dict(entry, where):
    if entry is None:
        entry = {"series": {"layer_water_*": ["final", "max"]}, "summary": True}
    if not isinstance(entry, dict) or set(entry) - {"series", "summary"}:
        raise StudyError(where, 'must be an object with "series" and/or "summary"')
    series = entry.get("series", {})
    if not isinstance(series, dict):
        raise StudyError(f"{where}.series", "must be an object {name: [reductions]}")
    for name, reductions in series.items():
        if not isinstance(reductions, list) or not reductions or \
                any(r not in REDUCTIONS for r in reductions):
            raise StudyError(f"{where}.series.{name}",
                             f"must be a list of reductions out of {sorted(REDUCTIONS)}")
    return Collect(series, bool(entry.get("summary", True)))
