"""The high-level Simulation: the bundled case against the command-line host's output,
the array climate path, and the step halving."""

import os
import shutil
import subprocess

import numpy as np
import pytest

from tamo1d import Simulation, load_case
from tamo1d import __main__ as command_line
from tamo1d.lowlevel import StepOutcome
from tamo1d.step_control import SimulationStopped, StepStatistics, advance


def host_executable():
    path = os.environ.get("TAMO1D_EXECUTABLE", "")
    return path if path and os.path.isfile(path) else shutil.which("tamo1d")


def test_bundled_case_matches_the_command_line_host(case_path, tmp_path):
    host = host_executable()
    if host is None:
        pytest.skip("the command-line host tamo1d is not built (set TAMO1D_EXECUTABLE)")
    host_dir, python_dir = tmp_path / "host", tmp_path / "python"
    host_dir.mkdir()
    subprocess.run([host, "--quiet", "--output-dir", str(host_dir), case_path], check=True)
    assert command_line.main(["run", case_path, "--out", str(python_dir),
                              "--no-progress"]) == 0
    for name in ("series.csv", "profiles.csv"):
        expected = (host_dir / name).read_text()
        assert expected.count("\n") > 4
        assert (python_dir / name).read_text() == expected, name


def test_run_results_are_physical_and_complete(case_path):
    simulation, _ = load_case(case_path)
    results = simulation.run(progress=False)
    assert results.completed and results.failure == ""
    assert results.time_h[0] == 0.0 and results.time_h[-1] == 48.0 and results.time_h.size == 49
    n = results.node_position_m.size
    assert results.temperature_degC.shape == (49, n) == results.water_content_kg_m3.shape
    # Total water is the sum of the layer water (host convention of half surface cells).
    assert np.allclose(results.layer_water_kg_m2.sum(axis=1), results.total_water_kg_m2,
                       rtol=1e-12)
    # Rain on side A wets the brick; interior temperatures stay between the air values.
    assert results.layer_water_kg_m2[-1, 0] > 5.0 * results.layer_water_kg_m2[0, 0]
    interior = results.temperature_degC[1:, 1:-1]
    assert interior.min() >= 1.0 - 1e-9 and interior.max() <= 20.0 + 1e-9
    assert results.statistics.steps == 48 and results.iterations.sum() > 0
    assert np.all(np.diff(results.node_position_m) > 0.0)


def test_climate_arrays_give_the_same_run_as_the_case_signals(case_path):
    from_case, _ = load_case(case_path)
    reference = from_case.run(progress=False)
    hours = np.arange(0.0, 49.0)
    side_a = {q: np.array([from_case.climate[0].value(q, h) for h in hours])
              for q in ("temperature", "humidity", "radiation", "counter_radiation", "rain")}
    simulation = Simulation("arrays")
    for layer in from_case.layers:
        simulation.add_layer(layer.material, layer.thickness, layer.cells, layer.stretching,
                             initial_humidity=layer.initial_humidity)
    simulation.set_initial(15.0, 0.7)
    simulation.set_surfaces(*from_case.surfaces)
    simulation.set_climate(side_a, {"temperature": 20.0, "humidity": 0.5}, hours=hours)
    results = simulation.run(duration_hours=48, step_seconds=3600, minimum_step_seconds=225,
                             progress=False)
    assert np.array_equal(results.temperature_degC, reference.temperature_degC)
    assert np.array_equal(results.humidity_fraction, reference.humidity_fraction)
    assert np.array_equal(results.total_water_kg_m2, reference.total_water_kg_m2)


def test_step_halving_repeats_from_the_saved_state_then_returns_to_the_normal_step():
    # Steps longer than 900 s diverge (-20); 900 s steps report no convergence (status 2)
    # once; everything else converges.
    calls, state = [], {"value": 0.0, "saved": None, "unconverged_once": True}

    def attempt(start, dt):
        calls.append((start, dt))
        state["value"] += dt
        if dt > 900.0:
            return StepOutcome(-20, 5, 1e30, 1e30, 4)
        if dt == 900.0 and state["unconverged_once"]:
            state["unconverged_once"] = False
            return StepOutcome(0, 5, 0.01, 0.01, 2)
        return StepOutcome(0, 3, 0.0, 0.0, 0)

    def save():
        state["saved"] = state["value"]

    def restore():
        state["value"] = state["saved"]

    statistics = StepStatistics()
    advance(0.0, 3600.0, attempt, save, restore, statistics, minimum_step=450.0)
    assert calls[:4] == [(0.0, 3600.0), (0.0, 1800.0), (0.0, 900.0), (0.0, 450.0)]
    assert state["value"] == 3600.0                    # failed attempts were undone
    assert statistics.halvings == 3 and statistics.smallest_step == 450.0
    assert sum(dt for _, dt in calls[3:]) == 3600.0 and calls[4] == (450.0, 450.0)
    # The next interval starts again with the normal step; at the minimum step a
    # divergence stops the run.
    calls.clear()
    with pytest.raises(SimulationStopped):
        advance(3600.0, 3600.0, attempt, save, restore, statistics, minimum_step=1800.0)
    assert calls == [(3600.0, 3600.0), (3600.0, 1800.0)]
    assert state["value"] == 3600.0
