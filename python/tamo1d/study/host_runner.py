"""Runs one case dict through the host library and hands back the series and summary items a
study collects."""

from ..simulation import Simulation


def run_case_results(case, base_dir, catalogue, names):
    """({name: array} for the series names, [(name, value, unit, limit, verdict)]) of a run
    of the case to its end. Relative files of the case are taken from base_dir. Raises the
    host's CaseError for a refused case and SimulationStopped for a run that stops."""
    with Simulation(case, catalogue, base_dir) as simulation:
        simulation.run(progress=False)
        series = {name: simulation.series(name) for name in names}
        return series, [tuple(item) for item in simulation.summary().values()]
