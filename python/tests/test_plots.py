"""Plot files from the command line and from a Simulation: non-empty, well-formed PNG."""

from tamo1d import __main__ as command_line


def test_plot_command_writes_png(case_path, tmp_path):
    assert command_line.main(["plot", case_path, "--out", str(tmp_path / "png"),
                              "--times", "0,12,48", "--no-progress"]) == 0
    for name in ("profiles", "surfaces", "total_water"):
        data = (tmp_path / "png" / f"{name}.png").read_bytes()
        assert data.startswith(b"\x89PNG\r\n\x1a\n") and len(data) > 10000


def test_assessment_arrays_and_pictures(case_path, tmp_path):
    import json
    import os

    from tamo1d import Simulation, plots
    case = json.load(open(case_path))
    case["assessment"] = {"monitors": [{"name": "inside", "at": "surface", "side": "b"}]}
    with Simulation(case, base_dir=os.path.dirname(case_path)) as simulation:
        simulation.run(progress=False)
        monitor = simulation.monitors()["inside"]
        summary = simulation.summary()
        assert len(monitor["time_h"]) == summary["steps"].value + 1  # every step and the start
        assert monitor["mould_index"].max() == summary["mould_index_max_inside"].value
        assert monitor["mould_limit"] == 3.0 and simulation.equilibrium() is None
        written = plots.save_all(simulation, str(tmp_path))
    for name in ("mould_index_inside", "monitor_inside"):
        path = tmp_path / f"{name}.png"
        assert str(path) in written and path.read_bytes().startswith(b"\x89PNG")
