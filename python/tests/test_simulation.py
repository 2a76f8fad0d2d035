"""tamo1d.Simulation over the host library: the same engine as the command line (byte-identical
CSV, the same refusals), dict cases, runs in parts, the summary."""

import glob
import json
import os
import shutil
import subprocess

import numpy as np
import pytest

from tamo1d import CaseError, Simulation, run_case

REPOSITORY = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BUNDLED = sorted(glob.glob(os.path.join(REPOSITORY, "examples", "cases", "*.json")))


def host_executable():
    path = os.environ.get("TAMO1D_EXECUTABLE", "")
    found = path if path and os.path.isfile(path) else shutil.which("tamo1d")
    if found is None:
        pytest.skip("the command-line host tamo1d is not built (set TAMO1D_EXECUTABLE)")
    return found


def run_both(case, directory):
    """(tamo1d, python3 -m tamo1d run) on the case: each (exit code, stderr)."""
    results = []
    for name, command in (("host", [host_executable(), "--quiet"]),
                          ("python", ["/usr/bin/python3", "-m", "tamo1d", "run"])):
        out = directory / name
        done = subprocess.run(command + [case, "--no-progress", "-o", str(out)],
                              capture_output=True, text=True,
                              cwd=os.path.dirname(os.path.dirname(__file__)))
        results.append((done.returncode, done.stderr))
    return results


def shortened(case_path, directory, hours=336):
    """The case over its first `hours`, written into `directory` with its input files found."""
    case = json.load(open(case_path))
    base = os.path.dirname(os.path.abspath(case_path))
    hours = case["time"]["duration_hours"] = min(hours, case["time"]["duration_hours"])
    for entry in [case.get("weather", {})] + list(case.get("climate", {}).values()):
        for key in ("file", "csv"):
            if isinstance(entry, dict) and key in entry:
                entry[key] = os.path.join(base, entry[key])
    profiles = case.get("outputs", {}).get("profiles")
    if profiles:
        profiles["times_hours"] = [t for t in profiles["times_hours"] if t < hours] + [hours]
    (directory / "case.json").write_text(json.dumps(case))
    return str(directory / "case.json")


# Every bundled case over two weeks: the host and the Python package write the same bytes.
@pytest.mark.parametrize("case", BUNDLED + [os.path.join(os.path.dirname(__file__), "data",
                                                         "wall_case.json")])
def test_command_line_and_python_write_byte_identical_csv(case, tmp_path):
    (host_code, _), (python_code, error) = run_both(shortened(case, tmp_path), tmp_path)
    assert host_code == python_code == 0, error
    files = sorted(p.name for p in (tmp_path / "host").iterdir())
    assert files and files == sorted(p.name for p in (tmp_path / "python").iterdir())
    for name in files:
        assert (tmp_path / "python" / name).read_bytes() == (tmp_path / "host" / name).read_bytes()


@pytest.mark.parametrize("cell", ["nan", "75"])  # a NaN cell; humidity in percent
def test_bad_climate_csv_is_refused_by_both_with_the_same_message(cell, tmp_path, case_path):
    case = json.load(open(case_path))
    (tmp_path / "climate.csv").write_text(f"time [h],temperature [degC],humidity [-]\n"
                                          f"0,5,0.8\n24,6,{cell}\n48,5,0.8\n")
    case["climate"]["side_a"] = {"csv": "climate.csv"}
    (tmp_path / "case.json").write_text(json.dumps(case))
    (host_code, host_error), (python_code, python_error) = run_both(
        str(tmp_path / "case.json"), tmp_path)
    assert host_code == python_code == 2
    assert host_error == python_error and "climate.csv" in host_error
    assert not (tmp_path / "host").exists() and not (tmp_path / "python").exists()


def test_dict_case_run_in_parts_equals_one_run_and_reports_its_summary(case_path):
    case = json.load(open(case_path))
    whole = run_case(case, base_dir=os.path.dirname(case_path))
    with Simulation(case) as parts:
        while not parts.finished:
            parts.run(hours=7, progress=False)
        for name in parts.series_names():
            np.testing.assert_array_equal(parts.series(name), whole["series"][name])
        summary = parts.summary()
        assert summary["total_water_end"].unit == "kg/m2"
        assert summary["total_water_end"].value == pytest.approx(parts.series("total_water")[-1])
        layers = parts.profiles["layer"]
        assert set(layers) == {1.0, 2.0, 3.0}
    case["layers"][0]["thicknes"] = case["layers"][0].pop("thickness")
    with pytest.raises(CaseError, match=r"layers\[0\]\.thicknes.*unknown field"):
        Simulation(case)
