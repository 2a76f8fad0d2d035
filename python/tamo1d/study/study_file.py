"""The study file (JSON, described in docs/study_format.md): a base case, fixed changes to
it, the parameters to vary (each a path into the case with its values or distribution, set
or used as a scale factor), the sampling and the results to collect."""

import copy
import json
import os

from . import case_paths
from .collect import collect_from_dict
from .distributions import source_from_dict
from .errors import StudyError
from .sampling import METHODS

_TOP_FIELDS = {"title", "description", "base_case", "catalogue", "set", "parameters",
               "sampling", "collect"}
_PARAMETER_FIELDS = {"path", "name", "mode", "values", "labels", "distribution", "low", "high",
                     "mean", "sd", "median", "sigma", "levels"}
_MODES = {"set": case_paths.set_value, "scale": case_paths.scale_value,
          "merge": case_paths.merge_value}


class Parameter:
    """path: where the value goes in the case; name: its column in the results table;
    mode "set" (the value replaces the case's), "scale" (the value multiplies it) or "merge"
    (the value's fields replace those of the object at path); labels: {label: value} when
    the variants and the table carry labels instead of the values."""

    def __init__(self, path, name, mode, source, labels=None):
        self.path, self.name, self.mode, self.source = path, name, mode, source
        self.labels = labels

    def apply(self, case, value):
        if self.labels is not None:
            value = self.labels[value]
        _MODES[self.mode](case, self.path, value)


class Study:
    """base_case: the case dict; base_dir: folder of the case's relative files (climate
    CSV); catalogue: a material catalogue folder searched first, or None."""

    def __init__(self, title, base_case, base_dir, catalogue, changes, parameters, sampling,
                 collect):
        self.title = title
        self.base_case, self.base_dir, self.catalogue = base_case, base_dir, catalogue
        self.changes = changes
        self.parameters = parameters
        self.sampling = sampling
        self.collect = collect

    def fixed_case(self):
        """The base case with the fixed changes: what every variant starts from."""
        case = copy.deepcopy(self.base_case)
        for path, value in self.changes.items():
            case_paths.set_value(case, path, value)
        return case


def _read_json(path, what):
    try:
        with open(path, encoding="utf-8") as stream:
            return json.load(stream)
    except OSError as error:
        raise StudyError(path, f"cannot read the {what}: {error.strerror}") from None
    except json.JSONDecodeError as error:
        raise StudyError(path, f"the {what} is not valid JSON: {error}") from None


def load_study(path):
    """Study from a study file; relative paths in it are taken from the file's folder."""
    return study_from_dict(_read_json(path, "study file"), os.path.dirname(os.path.abspath(path)),
                           os.path.basename(path))


def study_from_dict(entry, directory=None, name="<study>"):
    """Study from a dict in the study file's form. directory: where relative paths start
    (default: the working directory)."""
    directory = os.path.abspath(directory or os.getcwd())
    if not isinstance(entry, dict):
        raise StudyError(name, "the study must be a JSON object")
    unknown = set(entry) - _TOP_FIELDS
    if unknown:
        raise StudyError(name, f"unknown field(s) {sorted(unknown)}")
    base = entry.get("base_case")
    if isinstance(base, str):
        base_path = os.path.join(directory, base)
        base_case, base_dir = _read_json(base_path, "base case"), os.path.dirname(base_path)
    elif isinstance(base, dict):
        base_case, base_dir = copy.deepcopy(base), directory
    else:
        raise StudyError(f"{name}: base_case", "give a case file path or a case object")
    catalogue = entry.get("catalogue")
    if catalogue is not None:
        catalogue = os.path.join(directory, catalogue)
    changes = entry.get("set", {})
    if not isinstance(changes, dict):
        raise StudyError(f"{name}: set", "must be an object {path: value}")
    parameters = [_parameter(p, f"{name}: parameters[{i}]")
                  for i, p in enumerate(_list(entry, "parameters", name))]
    names = [p.name for p in parameters]
    if len(set(names)) != len(names):
        raise StudyError(f"{name}: parameters", "two parameters have the same name")
    sampling = _sampling(entry.get("sampling", {"method": "grid"}), f"{name}: sampling")
    study = Study(entry.get("title", name), base_case, base_dir, catalogue, changes, parameters,
                  sampling, collect_from_dict(entry.get("collect"), f"{name}: collect"))
    try:
        case = study.fixed_case()
        for parameter in parameters:
            if parameter.mode != "set":
                case_paths.get_value(case, parameter.path)
    except (KeyError, ValueError) as error:
        raise StudyError(name, error.args[0]) from None
    return study


def _list(entry, field, name):
    value = entry.get(field)
    if not isinstance(value, list) or not value:
        raise StudyError(f"{name}: {field}", "must be a non-empty list")
    return value


def _parameter(entry, where):
    if not isinstance(entry, dict):
        raise StudyError(where, "must be an object")
    unknown = set(entry) - _PARAMETER_FIELDS
    if unknown:
        raise StudyError(where, f"unknown field(s) {sorted(unknown)}")
    path = entry.get("path")
    try:
        case_paths.parse_path(path)
    except ValueError as error:
        raise StudyError(f"{where}.path", str(error)) from None
    mode = entry.get("mode", "set")
    if mode not in _MODES:
        raise StudyError(f"{where}.mode", f"must be one of {', '.join(_MODES)}")
    default_name = path if mode == "set" else f"{path}*"
    labels = entry.get("labels")
    if labels is not None:
        values = entry.get("values")
        if not isinstance(labels, list) or not isinstance(values, list) or \
                len(labels) != len(values) or len(set(map(str, labels))) != len(labels):
            raise StudyError(f"{where}.labels", 'needs "values" and one distinct label each')
        labels = dict(zip(map(str, labels), values))
        entry = dict(entry, values=list(labels))
    return Parameter(path, entry.get("name", default_name), mode, source_from_dict(entry, where),
                     labels)


def _sampling(entry, where):
    if not isinstance(entry, dict) or entry.get("method") not in METHODS:
        raise StudyError(where, f'"method" must be one of {", ".join(METHODS)}')
    unknown = set(entry) - {"method", "samples", "seed"}
    if unknown:
        raise StudyError(where, f"unknown field(s) {sorted(unknown)}")
    if entry["method"] == "grid":
        return {"method": "grid"}
    samples, seed = entry.get("samples"), entry.get("seed", 0)
    for field, value, lowest in (("samples", samples, 1), ("seed", seed, 0)):
        if isinstance(value, bool) or not isinstance(value, int) or value < lowest:
            raise StudyError(f"{where}.{field}", f"must be a whole number >= {lowest}")
    return {"method": entry["method"], "samples": samples, "seed": seed}
