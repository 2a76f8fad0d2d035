"""Runs one case dict through the host core and hands back the series and summary items a
study collects."""

import os

from ..case import case_from_dict


class RunStopped(RuntimeError):
    """The simulation stopped before the end (the host's reason as the message)."""


def run_case_results(case, base_dir, catalogue, names):
    """({name: array} for the series names, [(name, value, unit, limit, verdict)]) of a run
    of the case. Relative files of the case are taken from base_dir. Raises the host's
    error for a refused case and RunStopped for a run that stops."""
    file = os.path.join(base_dir, "case.json") if base_dir else ""
    simulation, _outputs = case_from_dict(case, file, catalogue)
    results = simulation.run(progress=False)
    if not results.completed:
        raise RunStopped(f"the simulation stopped: {results.failure}")
    return {name: results.series(name) for name in names}, []
