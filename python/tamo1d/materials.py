"""Materials in the JSON form of the command-line host's catalogue.

A material is a dict (or a <key>.json file) with density (kg/m3), porosity (m3/m3),
heat_capacity (J/(kg K)), optionally vapour_tight, and its functions:
  storage                   {"table": [[phi, w], ...]} or
                            {"parameters": {"free_saturation": wf, "points": [[phi, w], ...]}}
  liquid_suction            {"table": [[w, D], ...]} or
  liquid_redistribution     {"parameters": {"water_absorption_coefficient": A}}   (optional)
  conductivity_moisture     {"table": [[w, lambda], ...]} or
                            {"parameters": {"dry": l0, "moisture_supplement": b}}
  conductivity_temperature  {"table": [[T, lambda], ...]} or
                            {"parameters": {"at_10C": l10, "per_kelvin": b}}     (optional)
  vapour_resistance         {"table": [[phi, mu], ...]} or {"constant": mu}
  enthalpy                  {"table": [[T, h], ...]}                               (optional)
Each becomes one load of tamoSetMaterialFunction (kind 1..7).
"""

import json
import os
import re

import numpy as np

from .errors import CaseError

FUNCTION_FIELDS = ("storage", "liquid_suction", "liquid_redistribution",
                   "conductivity_moisture", "conductivity_temperature", "vapour_resistance",
                   "enthalpy")

_KNOWN_FIELDS = {"name", "source", "notes", "density", "porosity", "heat_capacity",
                 "vapour_tight"} | set(FUNCTION_FIELDS)


class MaterialFunction:
    """One load of tamoSetMaterialFunction: kind 1..7, analytic flag, xs and ys (float64)."""

    def __init__(self, kind, analytic=0, xs=(), ys=()):
        self.kind = kind
        self.given = True
        self.analytic = analytic
        self.xs = np.array(xs, dtype=np.float64)
        self.ys = np.array(ys, dtype=np.float64)


class Material:
    """Dry properties and the loaded functions (in kind order) of one material."""

    def __init__(self, key, definition, origin=""):
        self.key = key
        self.origin = origin
        where = f"materials.{key}" if not origin else ""
        if not isinstance(definition, dict):
            raise CaseError(origin, where, "a material must be a JSON object")
        unknown = set(definition) - _KNOWN_FIELDS
        if unknown:
            raise CaseError(origin, where, f"unknown field(s): {', '.join(sorted(unknown))}")
        self.name = definition.get("name", key)
        self.density = _number(definition, "density", 1e-3, 30000.0, origin, where)
        self.porosity = _number(definition, "porosity", 1e-6, 1.0, origin, where)
        self.heat_capacity = _number(definition, "heat_capacity", 1e-3, 1e5, origin, where)
        self.vapour_tight = bool(definition.get("vapour_tight", False))
        self.functions = []
        readers = (_storage, _liquid, _liquid, _conductivity_moisture,
                   _conductivity_temperature, _vapour_resistance, _enthalpy)
        required = {"storage", "conductivity_moisture", "vapour_resistance"}
        for kind, (field, reader) in enumerate(zip(FUNCTION_FIELDS, readers), start=1):
            if field in definition:
                entry = definition[field]
                if not isinstance(entry, dict):
                    raise CaseError(origin, _join(where, field), "must be a JSON object")
                self.functions.append(reader(kind, entry, self, origin, _join(where, field)))
            elif field in required:
                raise CaseError(origin, _join(where, field), "is required but missing")

    def function(self, kind):
        for f in self.functions:
            if f.kind == kind:
                return f
        return None


def _join(where, field):
    return f"{where}.{field}" if where else field


def _number(entry, field, lowest, highest, origin, where, default=None):
    if field not in entry:
        if default is None:
            raise CaseError(origin, _join(where, field), "is required but missing")
        return default
    value = entry[field]
    if isinstance(value, bool) or not isinstance(value, (int, float)):
        raise CaseError(origin, _join(where, field), "must be a number")
    if not (lowest <= value <= highest):
        raise CaseError(origin, _join(where, field),
                        f"{value} lies outside [{lowest}, {highest}]")
    return float(value)


def _rows(entry, field, minimum, origin, where):
    rows = entry.get(field)
    if not isinstance(rows, list) or len(rows) < minimum:
        raise CaseError(origin, _join(where, field), f"needs at least {minimum} rows [x, y]")
    for row in rows:
        if not isinstance(row, list) or len(row) != 2:
            raise CaseError(origin, _join(where, field), "every row must be [x, y]")
    xs = [float(r[0]) for r in rows]
    if any(b <= a for a, b in zip(xs, xs[1:])):
        raise CaseError(origin, _join(where, field), "x values must increase strictly")
    return xs, [float(r[1]) for r in rows]


def _either(entry, other, origin, where):
    if ("table" in entry) == (other in entry):
        raise CaseError(origin, where, f'give either "table" or "{other}"')


def _storage(kind, entry, material, origin, where):
    _either(entry, "parameters", origin, where)
    if "table" in entry:
        xs, ys = _rows(entry, "table", 2, origin, where)
        return MaterialFunction(kind, 0, xs, ys)
    parameters = entry["parameters"]
    where = _join(where, "parameters")
    wf = _number(parameters, "free_saturation", 1e-6, 1000.0 * material.porosity, origin, where)
    points = parameters.get("points")
    if not isinstance(points, list) or not 1 <= len(points) <= 2:
        raise CaseError(origin, _join(where, "points"),
                        "needs one or two points [relative humidity, water content]")
    xs = [float(p[0]) for p in points] + [1.0]
    ys = [float(p[1]) for p in points] + [wf]
    return MaterialFunction(kind, 1, xs, ys)


def _liquid(kind, entry, material, origin, where):
    _either(entry, "parameters", origin, where)
    if "table" in entry:
        xs, ys = _rows(entry, "table", 1, origin, where)
        return MaterialFunction(kind, 0, xs, ys)
    a = _number(entry["parameters"], "water_absorption_coefficient", 1e-9, 10.0, origin,
                _join(where, "parameters"))
    return MaterialFunction(kind, 1, [a], [a])


def _conductivity_moisture(kind, entry, material, origin, where):
    _either(entry, "parameters", origin, where)
    if "table" in entry:
        xs, ys = _rows(entry, "table", 1, origin, where)
        return MaterialFunction(kind, 0, xs, ys)
    parameters = entry["parameters"]
    where = _join(where, "parameters")
    values = [_number(parameters, "dry", 1e-6, 1000.0, origin, where)]
    if "moisture_supplement" in parameters:
        values.append(_number(parameters, "moisture_supplement", 0.0, 1000.0, origin, where))
    return MaterialFunction(kind, 1, values, values)


def _conductivity_temperature(kind, entry, material, origin, where):
    _either(entry, "parameters", origin, where)
    if "table" in entry:
        xs, ys = _rows(entry, "table", 1, origin, where)
        return MaterialFunction(kind, 0, xs, ys)
    parameters = entry["parameters"]
    where = _join(where, "parameters")
    values = [_number(parameters, "at_10C", 1e-6, 1000.0, origin, where)]
    if "per_kelvin" in parameters:
        values.append(_number(parameters, "per_kelvin", -1.0, 1.0, origin, where))
    return MaterialFunction(kind, 1, values, values)


def _vapour_resistance(kind, entry, material, origin, where):
    _either(entry, "constant", origin, where)
    if "table" in entry:
        xs, ys = _rows(entry, "table", 1, origin, where)
        return MaterialFunction(kind, 0, xs, ys)
    # A constant factor becomes the two-row table (0, mu), (1, mu).
    mu = _number(entry, "constant", 1e-3, 1e9, origin, where)
    return MaterialFunction(kind, 0, [0.0, 1.0], [mu, mu])


def _enthalpy(kind, entry, material, origin, where):
    xs, ys = _rows(entry, "table", 2, origin, where)
    return MaterialFunction(kind, 0, xs, ys)


# ---------------------------------------------------------------------------------------
# Catalogue
# ---------------------------------------------------------------------------------------

_VALID_KEY = re.compile(r"^[A-Za-z0-9_-]{1,100}$")


def default_catalogue_directories(extra=None):
    """extra (if given), $TAMO1D_CATALOGUE, the installed share directory and the source
    tree's apps/tamo1d/materials."""
    directories = []
    if extra:
        directories.append(extra)
    if os.environ.get("TAMO1D_CATALOGUE"):
        directories.append(os.environ["TAMO1D_CATALOGUE"])
    here = os.path.dirname(os.path.abspath(__file__))
    directories.append(os.path.join(os.path.dirname(here), "materials"))
    directories.append(os.path.join(here, "..", "..", "share", "tamo1d", "materials"))
    directories.append(os.path.join(here, "..", "..", "apps", "tamo1d", "materials"))
    return [os.path.normpath(d) for d in directories]


class Catalogue:
    """Material files <key>.json searched in a list of directories."""

    def __init__(self, directories=None):
        self.directories = directories or default_catalogue_directories()

    def find(self, key):
        if not _VALID_KEY.match(key):
            return None
        for directory in self.directories:
            candidate = os.path.join(directory, key + ".json")
            if os.path.isfile(candidate):
                return candidate
        return None

    def load(self, key):
        path = self.find(key)
        if path is None:
            raise CaseError("", "", f'material "{key}" is not in the catalogue '
                                    f"({', '.join(self.keys()) or 'no material found'})")
        with open(path, encoding="utf-8") as stream:
            try:
                definition = json.load(stream)
            except json.JSONDecodeError as error:
                raise CaseError(path, "", f"is not valid JSON: {error}") from None
        return Material(key, definition, origin=path)

    def keys(self):
        found = set()
        for directory in self.directories:
            if os.path.isdir(directory):
                found.update(name[:-5] for name in os.listdir(directory) if name.endswith(".json"))
        return sorted(found)
