"""High-level API: a layered component, its climate and a run through the library.

    sim = Simulation("wall")
    sim.add_layer("brick", thickness=0.24, cells=24, stretching=1.15)   # catalogue key
    sim.set_initial(temperature=20.0, humidity=0.6)
    sim.set_surfaces(side_a={"heat_transfer": 17.0, "absorptivity": 0.6,
                             "rain_absorption": 0.7},
                     side_b={"heat_transfer": 8.0})
    sim.set_climate(side_a={"temperature": t_out, "humidity": phi_out}, hours=hours,
                    side_b={"temperature": 20.0, "humidity": 0.5})
    results = sim.run(duration_hours=24 * 30)

Materials are catalogue keys or dicts in the catalogue's JSON form (materials.py); layers,
surfaces, sources and solver switches take the fields of the host's case JSON. The model is
defined in the library in the order it requires: grid, solver switches, materials (dry
properties, then the functions in kind order), surface conditions, sources.
"""

import math

import numpy as np

from . import climate as climate_module
from . import lowlevel
from .errors import CaseError
from .grid import Grid, cell_widths
from .materials import Catalogue, Material
from .progress import ProgressBar
from .results import ResultProbe, Results
from .step_control import SimulationStopped, StepStatistics, advance

SURFACE_FIELDS = {  # field -> (lowest, highest, default)
    "heat_transfer": (0.0, 1e5, None), "sd": (-1e6, 1e6, 0.0),
    "absorptivity": (0.0, 1.0, 0.0), "emissivity": (0.0, 1.0, 0.0),
    "rain_absorption": (0.0, 1.0, 0.0), "radiative_part": (0.0, 1e5, 0.0),
}

SOLVER_DEFAULTS = {
    "heat_transport": True, "moisture_transport": True, "liquid_transport": True,
    "fine_convergence": False, "stabilised_iteration": False, "evaporation": True,
    "temperature_dependent_evaporation": False, "fusion": True,
    "repeat_unconverged_steps": True,
}


class Layer:
    def __init__(self, material, thickness, cells, stretching, initial_temperature,
                 initial_humidity):
        self.material = material                        # key into Simulation.materials
        self.thickness = float(thickness)               # m
        self.cells = int(cells)                         # elements of the layer
        self.stretching = float(stretching)             # growth ratio from each layer edge
        self.initial_temperature = initial_temperature  # degC, None = Simulation default
        self.initial_humidity = initial_humidity        # fraction, None = Simulation default


def _surface(entry, where):
    if not isinstance(entry, dict):
        raise CaseError("", where, "must be a dict")
    unknown = set(entry) - set(SURFACE_FIELDS) - {"explicit_long_wave"}
    if unknown:
        raise CaseError("", where, f"unknown field(s) {sorted(unknown)}")
    surface = {}
    for field, (lowest, highest, default) in SURFACE_FIELDS.items():
        value = entry.get(field, default)
        if value is None:
            raise CaseError("", f"{where}.{field}", "is required but missing")
        if not lowest <= value <= highest:
            raise CaseError("", f"{where}.{field}", f"{value} lies outside [{lowest}, {highest}]")
        surface[field] = float(value)
    surface["explicit_long_wave"] = bool(entry.get("explicit_long_wave", False))
    return surface


def source_from_dict(entry, total_thickness=math.inf, where="source"):
    """(type, subtype, side, start, thickness, values[3]) from a source in the case form:
    kind heat / moisture (value, optional side), air_exchange (value, side), infiltration
    (air_permeance, stack_height, overpressure, side)."""
    kind = entry.get("kind")
    sides = {"a": 1, "b": 2, "none": 0}
    side = sides.get(entry.get("side", "none"))
    if side is None:
        raise CaseError("", f"{where}.side", 'must be "a", "b" or "none"')
    start = float(entry["start"])
    thickness = float(entry["thickness"])
    if not 0.0 <= start <= total_thickness:
        raise CaseError("", f"{where}.start", "lies outside the component")
    values = np.zeros(3)
    if kind in ("heat", "moisture"):
        kind_number, subtype = (0 if kind == "heat" else 1), 0
        values[0] = float(entry["value"])
    elif kind == "air_exchange":
        kind_number, subtype = 2, 0
        values[0] = float(entry["value"])
    elif kind == "infiltration":
        kind_number, subtype = 1, 1
        values[:] = [float(entry["air_permeance"]), float(entry["stack_height"]),
                     float(entry.get("overpressure", 0.0))]
    else:
        raise CaseError("", f"{where}.kind",
                        'must be "heat", "moisture", "air_exchange" or "infiltration"')
    if kind_number == 2 or subtype == 1:
        if side == 0:
            raise CaseError("", f"{where}.side", 'must be "a" or "b" for this kind')
    return kind_number, subtype, side, start, thickness, values


class Simulation:
    """A component of layers, its surfaces, climate and solver switches."""

    def __init__(self, title="simulation", catalogue=None):
        self.title = title
        self.catalogue = catalogue if catalogue is not None else Catalogue()
        self.materials = {}          # key -> Material
        self.layers = []             # side A first
        self.inner_radius = 0.0      # m; > 0 radial geometry
        self.initial_temperature = None  # degC
        self.initial_humidity = None     # fraction
        self.surfaces = None         # (side A dict, side B dict)
        self.surface_pressure = 101325.0  # Pa, for the boundary layer thickness
        self.solver = dict(SOLVER_DEFAULTS)
        self.sources = []            # (type, subtype, side, start, thickness, values)
        self.climate = None          # (SideClimate A, SideClimate B, pressure evaluator)
        self.start_hour = 0.0        # hour of the year at t = 0
        self.time = {"duration": None, "step": 3600.0, "minimum_step": None}  # s
        self.output_interval = None  # s, default the step

    # ------------------------------------------------------------------ model ----------
    def add_material(self, key, definition):
        """Defines material `key` from a dict in the catalogue's JSON form (or a Material)."""
        self.materials[key] = (definition if isinstance(definition, Material)
                               else Material(key, definition))
        return self.materials[key]

    def add_layer(self, material, thickness, cells, stretching=1.0, initial_temperature=None,
                  initial_humidity=None):
        """Appends a layer on side B. material: a key of add_material, a catalogue key, or a
        material dict (then named after its "name" or the layer number)."""
        if isinstance(material, (dict, Material)):
            key = (material.key if isinstance(material, Material)
                   else material.get("name", f"layer_{len(self.layers) + 1}"))
            self.add_material(key, material)
            material = key
        elif material not in self.materials:
            self.materials[material] = self.catalogue.load(material)
        if not (thickness > 0.0 and cells >= 1 and 1.0 <= stretching <= 3.0):
            raise CaseError("", f"layers[{len(self.layers)}]",
                            "needs thickness > 0, cells >= 1 and stretching in [1, 3]")
        if not cell_widths(thickness, cells, stretching)[0] > 1e-7:
            raise CaseError("", f"layers[{len(self.layers)}].stretching",
                            "makes the cells at the layer edges thinner than 0.1 micrometre")
        self.layers.append(Layer(material, thickness, cells, stretching, initial_temperature,
                                 initial_humidity))

    def set_initial(self, temperature, humidity):
        """Initial state of every layer without its own (degC, fraction)."""
        self.initial_temperature = float(temperature)
        self.initial_humidity = float(humidity)

    def set_geometry(self, inner_radius=0.0):
        """inner_radius > 0 (m) makes the component a cylinder shell."""
        self.inner_radius = float(inner_radius)

    def set_surfaces(self, side_a, side_b, pressure=101325.0):
        """Surface properties per side: heat_transfer W/(m2 K), sd m, absorptivity,
        emissivity, rain_absorption, radiative_part W/(m2 K), explicit_long_wave."""
        self.surfaces = (_surface(side_a, "surfaces.side_a"), _surface(side_b, "surfaces.side_b"))
        self.surface_pressure = float(pressure)

    def set_solver(self, **switches):
        unknown = set(switches) - set(SOLVER_DEFAULTS)
        if unknown:
            raise CaseError("", "solver", f"unknown switch(es) {sorted(unknown)}")
        self.solver.update({k: bool(v) for k, v in switches.items()})

    def add_source(self, entry):
        """A source dict as in the case file (see source_from_dict)."""
        total = sum(layer.thickness for layer in self.layers) if self.layers else math.inf
        self.sources.append(source_from_dict(entry, total, f"sources[{len(self.sources)}]"))

    def set_climate(self, side_a, side_b, hours=None, pressure=None, start_hour=0.0):
        """Climate of both sides: per side a dict with temperature (degC), humidity
        (fraction), radiation (W/m2), counter_radiation (W/m2), rain (kg/(m2 h)); each a
        number, an array of values at `hours` (hours after the start; linear in between,
        held beyond the ends) or an object with at(hour). pressure likewise (Pa)."""
        hours_array = None if hours is None else np.asarray(hours, dtype=np.float64) + start_hour
        self.climate = (climate_module.side_from_arrays(hours_array, side_a),
                        climate_module.side_from_arrays(hours_array, side_b),
                        climate_module.pressure_evaluator(hours_array, pressure))
        self.start_hour = float(start_hour)

    def set_time(self, duration_hours=None, step_seconds=None, minimum_step_seconds=None,
                 output_interval_hours=None):
        if duration_hours is not None:
            self.time["duration"] = float(duration_hours) * 3600.0
        if step_seconds is not None:
            self.time["step"] = float(step_seconds)
        if minimum_step_seconds is not None:
            self.time["minimum_step"] = float(minimum_step_seconds)
        if output_interval_hours is not None:
            self.output_interval = float(output_interval_hours) * 3600.0

    @classmethod
    def from_case(cls, path, catalogue_directory=None):
        """A simulation from a case file of the command-line host."""
        from .case import load_case
        return load_case(path, catalogue_directory)[0]

    # ------------------------------------------------------------------ climate --------
    def climate_at(self, seconds):
        """((T, phi, radiation, counter radiation, rain) of side A and of side B, pressure)
        at `seconds` after the start."""
        hour = self.start_hour + seconds / 3600.0
        sides = tuple(tuple(side.value(q, hour) for q in climate_module.QUANTITIES)
                      for side in self.climate[:2])
        return sides[0], sides[1], self.climate[2].at(hour)

    # ------------------------------------------------------------------ run ------------
    def material_order(self):
        """Library material k is material_order()[k-1]: the order the layers first use."""
        order = []
        for layer in self.layers:
            if layer.material not in order:
                order.append(layer.material)
        return order

    def _check_complete(self):
        if not self.layers:
            raise CaseError("", "layers", "needs at least one layer")
        if self.surfaces is None:
            raise CaseError("", "surfaces", "set_surfaces was not called")
        if self.climate is None:
            raise CaseError("", "climate", "set_climate was not called")
        for i, layer in enumerate(self.layers):
            if layer.initial_temperature is None and self.initial_temperature is None:
                raise CaseError("", f"layers[{i}]", "has no initial state (set_initial)")

    def define_model(self, handle, grid, order):
        """Defines grid, switches, materials, surfaces and sources in the context."""
        lowlevel.set_grid(handle, grid.positions, self.inner_radius, grid.materials)
        s = self.solver
        lowlevel.set_parameter1(handle, s["heat_transport"], s["moisture_transport"],
                                s["liquid_transport"], s["fine_convergence"],
                                s["stabilised_iteration"], 0, s["evaporation"],
                                s["temperature_dependent_evaporation"], s["fusion"], 0, 0, 0)
        for number, key in enumerate(order, start=1):
            m = self.materials[key]
            lowlevel.set_material(handle, number, m.density, m.porosity, m.heat_capacity,
                                  m.vapour_tight)
            for kind in range(1, 8):
                f = m.function(kind)
                if f is not None:
                    lowlevel.set_material_function(handle, number, kind, f.analytic, f.xs, f.ys)
                elif kind == 5:
                    # Without a temperature dependence the conductivity over temperature is
                    # the dry value of the conductivity over water content.
                    lowlevel.set_material_function(handle, number, 5, 0, None, None, n=0)
        a, b = self.surfaces
        lowlevel.set_surface_condition(
            handle, self.surface_pressure, a["heat_transfer"], a["sd"], a["absorptivity"],
            a["emissivity"], a["rain_absorption"], a["radiative_part"], a["explicit_long_wave"],
            b["heat_transfer"], b["sd"], b["absorptivity"], b["emissivity"],
            b["rain_absorption"], b["radiative_part"], b["explicit_long_wave"])
        for number, (kind, subtype, side, start, thickness, values) in enumerate(self.sources,
                                                                                  start=1):
            lowlevel.set_source(handle, number, kind, subtype, side, start, thickness, values)
            # The update spreads the value over the source's cells (per component area).
            lowlevel.update_source(handle, number, values)

    def run(self, duration_hours=None, step_seconds=None, minimum_step_seconds=None,
            output_interval_hours=None, progress=None):
        """Runs the simulation and returns Results. progress: None draws a bar on stderr
        when it is a terminal, True / False force it on / off. A step that diverges at the
        minimum step stops the run: Results.completed is then False and Results.failure
        says why (the results up to that point are kept)."""
        self.set_time(duration_hours, step_seconds, minimum_step_seconds, output_interval_hours)
        self._check_complete()
        duration, step = self.time["duration"], self.time["step"]
        if duration is None or not duration > 0.0 or not step > 0.0:
            raise CaseError("", "time", "needs a duration and a step above 0")
        minimum_step = self.time["minimum_step"]
        if minimum_step is None:
            minimum_step = min(60.0, step)
        intervals = int(round(duration / step))
        every = max(1, int(round((self.output_interval or step) / step)))

        order = self.material_order()
        layer_material = [order.index(layer.material) + 1 for layer in self.layers]
        grid = Grid(self.layers, layer_material)
        n = grid.node_count
        handle = lowlevel.create_context()
        try:
            self.define_model(handle, grid, order)
            temperature = np.zeros(n)
            humidity = np.zeros(n)
            water = np.zeros(n)
            for i in range(1, n - 1):
                layer = self.layers[grid.layer_of_node[i]]
                temperature[i] = (layer.initial_temperature if layer.initial_temperature
                                  is not None else self.initial_temperature)
                humidity[i] = (layer.initial_humidity if layer.initial_humidity is not None
                               else self.initial_humidity)
            side_a, side_b, _ = self.climate_at(0.0)
            temperature[0], humidity[0] = side_a[0], side_a[1]
            temperature[-1], humidity[-1] = side_b[0], side_b[1]

            probe = ResultProbe(handle, grid, layer_material, len(order))
            results = Results(self.title, grid, [layer.material for layer in self.layers])
            probe.refresh(temperature, humidity)
            results.record(0.0, self.climate_at(0.0), probe, 0)

            saved = [temperature.copy(), humidity.copy()]
            surface_a, surface_b = self.surfaces

            def attempt(start, dt):
                (ta, pa, ra, ca, rna), (tb, pb, rb, cb, rnb), pressure = self.climate_at(
                    start + dt)
                return lowlevel.step2(
                    handle, (surface_a["heat_transfer"], surface_a["sd"], ta, pa, ra, ca, rna,
                             surface_b["heat_transfer"], surface_b["sd"], tb, pb, rb, cb, rnb,
                             pressure), dt, temperature, humidity, water,
                    raise_on_divergence=False)

            def save():
                saved[0][:] = temperature
                saved[1][:] = humidity

            def restore():
                temperature[:] = saved[0]
                humidity[:] = saved[1]

            statistics = StepStatistics()
            bar = ProgressBar(duration, progress)
            iterations_at_last_row = 0
            try:
                for interval in range(1, intervals + 1):
                    start = float(interval - 1) * step
                    end = float(interval) * step
                    advance(start, end - start, attempt, save, restore, statistics,
                            minimum_step, self.solver["repeat_unconverged_steps"])
                    if interval % every == 0:
                        probe.refresh(temperature, humidity)
                        results.record(end, self.climate_at(end), probe,
                                       statistics.iterations - iterations_at_last_row)
                        iterations_at_last_row = statistics.iterations
                    bar.update(end)
            except SimulationStopped as stop:
                results.completed = False
                results.failure = str(stop)
            finally:
                bar.finish()
            results.statistics = statistics
            return results.finish()
        finally:
            lowlevel.delete_context(handle)
