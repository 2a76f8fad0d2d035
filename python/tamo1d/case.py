"""Reads a case file of the command-line host `tamo1d` into a Simulation.

The case is a JSON object with title, geometry, initial, layers, materials, surfaces,
climate, sources, solver, time and outputs (docs/case_format.md describes every field);
materials a layer names are taken from "materials" or else from the catalogue.
"""

import json
import os

from . import climate as climate_module
from .errors import CaseError
from .materials import Catalogue, Material, default_catalogue_directories
from .results import PROFILE_QUANTITIES, series_unit
from .simulation import SOLVER_DEFAULTS, Simulation

_TOP_FIELDS = {"title", "description", "geometry", "initial", "layers", "materials",
               "surfaces", "climate", "sources", "solver", "time", "outputs"}


def _object(parent, field, file, path, required=True):
    value = parent.get(field)
    if value is None:
        if required:
            raise CaseError(file, f"{path}{field}", "is required but missing")
        return {}
    if not isinstance(value, dict):
        raise CaseError(file, f"{path}{field}", "must be a JSON object")
    return value


class Outputs:
    """What the case asks to write: series file, interval (s) and quantities; profile
    file, times (s) and quantities."""

    def __init__(self):
        self.series_file = ""
        self.series_interval = 0.0
        self.series_quantities = []
        self.profile_file = ""
        self.profile_times = []
        self.profile_quantities = []


def load_case(path, catalogue_directory=None):
    """(Simulation, Outputs) from a case file."""
    try:
        with open(path, encoding="utf-8") as stream:
            case = json.load(stream)
    except OSError as error:
        raise CaseError(path, "", f"cannot open the case file: {error}") from None
    except json.JSONDecodeError as error:
        raise CaseError(path, "", f"is not valid JSON: {error}") from None
    return case_from_dict(case, path, catalogue_directory)


def case_from_dict(case, file="", catalogue_directory=None):
    """(Simulation, Outputs) from a case given as a dict."""
    if not isinstance(case, dict):
        raise CaseError(file, "", "the case must be a JSON object")
    unknown = set(case) - _TOP_FIELDS
    if unknown:
        raise CaseError(file, "", f"unknown field(s) {sorted(unknown)}")
    directory = os.path.dirname(os.path.abspath(file)) if file else os.getcwd()
    title = case.get("title") or (os.path.splitext(os.path.basename(file))[0] if file else "case")
    sim = Simulation(title, Catalogue(default_catalogue_directories(catalogue_directory)))

    geometry = _object(case, "geometry", file, "", required=False)
    if geometry.get("kind", "plane") == "radial":
        sim.set_geometry(float(geometry["inner_radius"]))

    initial = _object(case, "initial", file, "")
    sim.set_initial(float(initial["temperature"]), float(initial["humidity"]))

    for key, definition in _object(case, "materials", file, "", required=False).items():
        sim.materials[key] = Material(key, definition)
    layers = case.get("layers")
    if not isinstance(layers, list) or not layers:
        raise CaseError(file, "layers", "needs at least one layer")
    for i, layer in enumerate(layers):
        try:
            sim.add_layer(layer["material"], float(layer["thickness"]), int(layer["cells"]),
                          float(layer.get("stretching", 1.0)), layer.get("initial_temperature"),
                          layer.get("initial_humidity"))
        except KeyError as missing:
            raise CaseError(file, f"layers[{i}].{missing.args[0]}",
                            "is required but missing") from None

    surfaces = _object(case, "surfaces", file, "")
    sim.set_surfaces(_object(surfaces, "side_a", file, "surfaces."),
                     _object(surfaces, "side_b", file, "surfaces."),
                     float(surfaces.get("pressure", 101325.0)))

    climate = _object(case, "climate", file, "")
    side_a, csv_a = climate_module.side_from_json(
        _object(climate, "side_a", file, "climate."), file, "climate.side_a", directory)
    side_b, csv_b = climate_module.side_from_json(
        _object(climate, "side_b", file, "climate."), file, "climate.side_b", directory)
    pressure_csv = next((c for c in (csv_a, csv_b) if c is not None and c.has("pressure")), None)
    if "pressure" in climate:
        pressure = climate_module.signal_from_json(climate["pressure"], file, "climate.pressure",
                                                   30000.0, 120000.0)
    elif pressure_csv is not None:
        pressure = _CsvColumn(pressure_csv, "pressure")
    else:
        pressure = climate_module.Signal(101325.0)
    sim.climate = (side_a, side_b, pressure)

    for entry in case.get("sources", []):
        sim.add_source(entry)

    solver = _object(case, "solver", file, "", required=False)
    unknown = set(solver) - set(SOLVER_DEFAULTS)
    if unknown:
        raise CaseError(file, "solver", f"unknown switch(es) {sorted(unknown)}")
    sim.set_solver(**solver)

    time = _object(case, "time", file, "")
    step = float(time.get("step_seconds", 3600.0))
    sim.time = {"duration": float(time["duration_hours"]) * 3600.0, "step": step,
                "minimum_step": float(time.get("minimum_step_seconds", min(60.0, step)))}
    sim.start_hour = float(time.get("start_hour_of_year", 0.0))
    for csv in (csv_a, csv_b):
        end_hour = sim.start_hour + sim.time["duration"] / 3600.0
        if csv is not None and not csv.covers(sim.start_hour, end_hour):
            raise CaseError(file, "climate", f"{csv.path} does not cover hours "
                                             f"{sim.start_hour:g}..{end_hour:g}")

    outputs = Outputs()
    entry = _object(case, "outputs", file, "", required=False)
    series = _object(entry, "time_series", file, "outputs.", required=False)
    if series:
        outputs.series_file = series["file"]
        outputs.series_interval = float(series.get("interval_hours", step / 3600.0)) * 3600.0
        outputs.series_quantities = list(series["quantities"])
        for name in outputs.series_quantities:
            try:
                series_unit(name, len(sim.layers))
            except ValueError as error:
                raise CaseError(file, "outputs.time_series.quantities", str(error)) from None
        sim.output_interval = outputs.series_interval
    profiles = _object(entry, "profiles", file, "outputs.", required=False)
    if profiles:
        outputs.profile_file = profiles["file"]
        outputs.profile_times = [float(t) * 3600.0 for t in profiles["times_hours"]]
        outputs.profile_quantities = list(profiles["quantities"])
        for name in outputs.profile_quantities:
            if name not in PROFILE_QUANTITIES:
                raise CaseError(file, "outputs.profiles.quantities",
                                f'"{name}" is not a profile quantity')
    return sim, outputs


class _CsvColumn:
    def __init__(self, csv, column):
        self.csv = csv
        self.column = column

    def at(self, hour):
        return self.csv.at(self.column, hour)
