"""Parameter studies: the same table from a 2-process local cluster as from one process, resuming
an interrupted study, a refused value as a failed row, and the sampling's guarantees."""

import json
import os

import numpy as np
import pandas as pd
import pytest

from conftest import DATA_DIR
from tamo1d import study
from tamo1d.study.case_paths import get_value
from tamo1d.study.distributions import source_from_dict
from tamo1d.study.sampling import sample_values
from tamo1d.study.study_file import Parameter

SMALL = os.path.join(DATA_DIR, "small_study.json")


@pytest.fixture(scope="module")
def sequential(tmp_path_factory):
    return study.run(SMALL, out=str(tmp_path_factory.mktemp("sequential")), workers=0,
                     progress=False)


def test_two_worker_cluster_gives_the_table_of_one_process(sequential, tmp_path):
    clustered = study.run(SMALL, out=str(tmp_path), workers=2, progress=False)
    pd.testing.assert_frame_equal(clustered, sequential, check_exact=True)
    written = pd.read_csv(tmp_path / "results.csv", keep_default_na=False, na_values=[""])
    assert list(written["variant"]) == list(sequential["variant"])


def test_refused_value_is_a_failed_row_with_the_hosts_message(sequential):
    failed = sequential[sequential["status"] == "failed"]
    assert list(failed["surfaces.side_a.rain_absorption"]) == [1.5, 1.5]
    for message in failed["error"]:
        assert "rain_absorption" in message and "1.5" in message
    ran = sequential[sequential["status"] == "ok"]
    assert len(ran) == 4 and ran["layer_water_2.final"].notna().all()
    # More insulation holds more water in the insulation layer, whatever the rain.
    by_thickness = ran.groupby("layers[1].thickness")["layer_water_2.final"].mean()
    assert by_thickness[0.08] > by_thickness[0.04]


def test_resume_runs_only_the_missing_variants(sequential, tmp_path):
    study.run(SMALL, out=str(tmp_path), workers=0, progress=False)
    rows_path = tmp_path / "rows.jsonl"
    lines = rows_path.read_text().splitlines()
    # Interrupted after three variants, in the middle of writing the fourth row.
    rows_path.write_text("\n".join(lines[:3]) + "\n" + lines[3][:25])
    (tmp_path / "results.csv").unlink()
    ran = []

    def counting_runner(case, base_dir, catalogue, names):
        from tamo1d.study.host_runner import run_case_results
        ran.append(case["surfaces"]["side_a"]["rain_absorption"])
        return run_case_results(case, base_dir, catalogue, names)

    resumed = study.run(SMALL, out=str(tmp_path), workers=0, progress=False,
                        runner=counting_runner)
    done_before = {json.loads(line)["variant"] for line in lines[:3]}
    expected = sequential[~sequential["variant"].isin(done_before)]
    assert sorted(ran) == sorted(expected["surfaces.side_a.rain_absorption"])
    pd.testing.assert_frame_equal(resumed, sequential, check_exact=True)
    changed = json.loads(open(SMALL).read())     # another study in the same folder is refused
    changed["set"]["time.duration_hours"] = 24
    changed["base_case"] = os.path.join(DATA_DIR, changed["base_case"])
    with pytest.raises(study.StudyError, match="different study"):
        study.run(changed, out=str(tmp_path), workers=0, progress=False)


DISTRIBUTIONS = [
    {"distribution": "uniform", "low": 0.02, "high": 0.2},
    {"distribution": "normal", "mean": 0.7, "sd": 0.2, "low": 0.0, "high": 1.0},
    {"distribution": "lognormal", "median": 1.0, "sigma": 0.5, "low": 0.25, "high": 4.0},
]


@pytest.mark.parametrize("count", [1, 7, 50])
def test_sampling_is_seeded_and_latin_hypercube_has_one_sample_per_stratum(count):
    sources = [source_from_dict(d, "test") for d in DISTRIBUTIONS]
    for method in ("random", "latin_hypercube"):
        first = sample_values(sources, method, count + 1, seed=7)
        assert first == sample_values(sources, method, count + 1, seed=7)
        assert first != sample_values(sources, method, count + 1, seed=8)
    samples = np.array(sample_values(sources, "latin_hypercube", count, seed=3))
    for column, source in enumerate(sources):
        values = samples[:, column]
        assert np.all((values >= source.low) & (values <= source.high))
        # The strata are equally probable: take each value back to its probability.
        u = np.array([(source.cdf(v) - source.p_low) / (source.p_high - source.p_low)
                      for v in values])
        assert sorted(np.floor(u * count + 1e-9).astype(int)) == list(range(count))


def _case():
    return {"layers": [{"material": "m", "thickness": 0.1}],
            "surfaces": {"side_a": {"heat_transfer": 17.0}},
            "materials": {"m": {"storage": {"table": [[0.5, 10.0], [0.9, 30.0]]},
                                "vapour_resistance": {"constant": 10.0},
                                "liquid_suction": {"parameters": {"free_saturation": 1.0}}}}}


@pytest.mark.parametrize("mode, path, value, expected", [
    ("set", "layers[0].thickness", 0.2, 0.2),
    ("set", "surfaces.side_b.sd", 0.5, 0.5),  # a field the case leaves at its default
    ("scale", "layers[0].thickness", 2, 0.2),
    ("scale", "materials.m.storage", 2, {"table": [[0.5, 20.0], [0.9, 60.0]]}),
    ("scale", "materials.m.vapour_resistance", 0.5, {"constant": 5.0}),
    ("merge", "surfaces.side_a", {"sd": 0.1}, {"heat_transfer": 17.0, "sd": 0.1}),
])
def test_values_reach_the_case_at_their_path(mode, path, value, expected):
    case = _case()
    Parameter(path, path, mode, None).apply(case, value)
    assert get_value(case, path) == expected


@pytest.mark.parametrize("mode, path, error", [
    ("set", "layers[1].thickness", KeyError),       # no second layer
    ("set", "layers.thickness", KeyError),          # a list is not an object
    ("scale", "materials.m.liquid_suction", KeyError),  # parameter forms are not scaled
    ("merge", "layers[0].thickness", KeyError),
    ("set", "layers[0]..thickness", ValueError),
    ("set", "layers[-1].thickness", ValueError),
])
def test_values_that_cannot_be_placed_are_refused(mode, path, error):
    case = _case()
    with pytest.raises(error):
        Parameter(path, path, mode, None).apply(case, {"x": 1} if mode == "merge" else 2)
    assert case == _case()
