"""The variants of a study and the case each one runs.

A variant is identified by its key: a hash of its parameter values by parameter name
(canonical JSON, so the same values give the same key whatever the sampling order). Rows
already in the output folder are found again by this key when a study is resumed."""

import hashlib
import json

from .sampling import sample_values


class Variant:
    """index: position in the study (the row order of the table); values: {name: value}."""

    def __init__(self, index, values):
        self.index = index
        self.values = values
        text = json.dumps(values, sort_keys=True, separators=(",", ":"))
        self.key = hashlib.sha1(text.encode("utf-8")).hexdigest()[:16]


def study_variants(study):
    """Every variant of the study, in the order of the sampling. Variants with the same
    values (a grid with repeated levels) are kept once."""
    sampling = study.sampling
    rows = sample_values([p.source for p in study.parameters], sampling["method"],
                         sampling.get("samples"), sampling.get("seed"))
    variants, seen = [], set()
    for row in rows:
        variant = Variant(len(variants), {p.name: v for p, v in zip(study.parameters, row)})
        if variant.key not in seen:
            seen.add(variant.key)
            variants.append(variant)
    return variants


def series_wanted(study, case):
    """{series name: reductions} for this case (its number of layers)."""
    return study.collect.series_names(len(case.get("layers", [])))


def variant_case(study, variant):
    """The case dict of a variant: the fixed case with the variant's values applied and the
    outputs reduced to the series the study collects (every step, no profiles, no files).
    KeyError or ValueError when a value cannot be placed."""
    case = study.fixed_case()
    for parameter in study.parameters:
        parameter.apply(case, variant.values[parameter.name])
    names = list(series_wanted(study, case))
    case.pop("outputs", None)
    if names:
        case["outputs"] = {"time_series": {"file": "series.csv", "quantities": names}}
    return case
