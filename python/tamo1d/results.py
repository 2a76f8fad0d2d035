"""Results of a run as numpy arrays, with the unit in every array's name.

Rows are output times (time 0, the initial state, first), columns nodes, layers, layer
boundaries or interfaces. Node arrays have n = N+1 entries (entry 0 and n-1 are the
ambient nodes). The quantity names of the time series follow the command-line host
(`surface_temperature_a`, `layer_water_2`, `heat_flux_interface_1`, ...).
"""

import re

import numpy as np

from . import lowlevel

# Quantity name pattern -> unit, as in the host's time series.
SIDE_QUANTITIES = {
    "air_temperature": "degC", "air_humidity": "-", "rain": "kg/(m2 h)", "radiation": "W/m2",
    "surface_temperature": "degC", "surface_humidity": "-", "heat_flux": "W/m2",
    "enthalpy_flux": "W/m2", "vapour_flux": "kg/(m2 s)", "liquid_flux": "kg/(m2 s)",
}
INDEXED_QUANTITIES = {  # name -> (unit, indexed by a layer (True) or a layer boundary)
    "interface_temperature": ("degC", False), "interface_humidity": ("-", False),
    "layer_water_content": ("kg/m3", True), "layer_water": ("kg/m2", True),
    "heat_flux_interface": ("W/m2", False), "enthalpy_flux_interface": ("W/m2", False),
    "vapour_flux_interface": ("kg/(m2 s)", False), "liquid_flux_interface": ("kg/(m2 s)", False),
}
PROFILE_QUANTITIES = {"temperature": "degC", "humidity": "-", "water_content": "kg/m3",
                      "dew_point": "degC", "vapour_pressure": "Pa"}

_INDEXED = re.compile(r"^(" + "|".join(sorted(INDEXED_QUANTITIES, key=len, reverse=True)) +
                      r")_(\d{1,6})$")
_SIDED = re.compile(r"^(" + "|".join(SIDE_QUANTITIES) + r")_([ab])$")


def series_unit(name, layer_count):
    """Unit of a time series quantity; ValueError for an unknown name or index."""
    if name == "total_water":
        return "kg/m2"
    if name == "iterations":
        return "-"
    match = _INDEXED.match(name)
    if match:
        unit, by_layer = INDEXED_QUANTITIES[match.group(1)]
        highest = layer_count if by_layer else layer_count - 1
        if not 1 <= int(match.group(2)) <= highest:
            raise ValueError(f'"{name}": the number must be 1..{highest}')
        return unit
    match = _SIDED.match(name)
    if match:
        return SIDE_QUANTITIES[match.group(1)]
    raise ValueError(f'"{name}" is not a known quantity')


class ResultProbe:
    """Reads the derived fields of a node state from the library and computes the values
    the outputs report: layer-boundary temperatures and humidities (neighbouring cell values
    weighted by the half-cell conductances, so a steady profile is met exactly) and layer
    water."""

    def __init__(self, handle, grid, layer_material, material_count):
        self.handle = handle
        self.grid = grid
        self.layer_material = layer_material      # per layer: library material number
        self.material_count = material_count
        self.node_volumes = grid.node_volumes()   # n entries, m
        n, big_n = grid.node_count, grid.interface_count
        self.water_content = np.zeros(n)          # kg/m3
        self.saturation_pressure = np.zeros(n)    # Pa
        self.dew_point = np.zeros(n)              # degC
        self.material_water = np.zeros(max(material_count, 1))
        self.fluxes = [np.zeros(big_n) for _ in range(4)]  # heat, enthalpy, vapour, liquid
        self.total_water = 0.0                    # kg/m2
        self.temperature = np.zeros(n)
        self.humidity = np.zeros(n)

    def refresh(self, temperature, humidity):
        self.temperature[:] = temperature
        self.humidity[:] = humidity
        result = lowlevel.get_intermediate(
            self.handle, self.temperature, self.humidity, self.material_count,
            self.water_content, self.saturation_pressure, self.dew_point, self.material_water)
        self.total_water = result.total_water
        lowlevel.get_flux(self.handle, self.temperature, self.humidity, *self.fluxes)

    def _halves(self, b):
        k = self.grid.layer_end_interface[b - 1]  # cells k | k+1
        left = k - 1
        right = left + 1
        x = self.grid.positions
        return left, right, 0.5 * (x[left] - x[left - 1]), 0.5 * (x[right] - x[left])

    def boundary_temperature(self, b):
        """degC at the boundary b (1..L-1) between layers b and b+1."""
        left, right, half_left, half_right = self._halves(b)
        t, w = self.temperature, self.water_content
        lambda_left = lowlevel.callam(self.handle, self.layer_material[b - 1], w[left], t[left])
        lambda_right = lowlevel.callam(self.handle, self.layer_material[b], w[right], t[right])
        g_left = lambda_left / half_left
        g_right = lambda_right / half_right
        if not g_left + g_right > 0.0:
            return 0.5 * (t[left] + t[right])
        return (g_left * t[left] + g_right * t[right]) / (g_left + g_right)

    def boundary_humidity(self, b):
        """Relative humidity at the boundary b (1..L-1) between layers b and b+1."""
        left, right, half_left, half_right = self._halves(b)
        phi, psat, t = self.humidity, self.saturation_pressure, self.temperature
        mu_left = lowlevel.calmu(self.handle, self.layer_material[b - 1], phi[left])
        mu_right = lowlevel.calmu(self.handle, self.layer_material[b], phi[right])
        g_left = 1.0 / (mu_left * half_left)
        g_right = 1.0 / (mu_right * half_right)
        p_left = phi[left] * psat[left]
        p_right = phi[right] * psat[right]
        vapour_pressure = (g_left * p_left + g_right * p_right) / (g_left + g_right)
        # ln p_sat is close to linear in T between two neighbouring cells.
        saturation = psat[left]
        if abs(t[right] - t[left]) > 1e-12 and psat[left] > 0.0 and psat[right] > 0.0:
            s = (self.boundary_temperature(b) - t[left]) / (t[right] - t[left])
            saturation = psat[left] * (psat[right] / psat[left]) ** s
        return vapour_pressure / saturation if saturation > 0.0 else 0.0

    def layer_water(self, layer):
        """kg/m2 in layer `layer` (0-based)."""
        water = 0.0
        for k in range(self.grid.layer_first_node[layer], self.grid.layer_last_node[layer] + 1):
            water += self.water_content[k - 1] * self.node_volumes[k - 1]
        return water

    def layer_water_content(self, layer):
        """Mean kg/m3 of layer `layer` (0-based)."""
        volume = 0.0
        for k in range(self.grid.layer_first_node[layer], self.grid.layer_last_node[layer] + 1):
            volume += self.node_volumes[k - 1]
        return self.layer_water(layer) / volume if volume > 0.0 else 0.0


class Results:
    """Output of Simulation.run(). Arrays (m output times):
      time_s (m), time_h (m)
      node_position_m (n): cell centres, the ambient nodes at the surfaces
      temperature_degC, humidity_fraction, water_content_kg_m3, saturation_pressure_Pa,
        dew_point_degC (m, n)
      total_water_kg_m2 (m)
      layer_water_kg_m2, layer_water_content_kg_m3 (m, L)
      boundary_temperature_degC, boundary_humidity_fraction (m, L-1): layer boundaries
      flux_interfaces: interface numbers (1..N) of the flux columns: surface A, the layer
        boundaries, surface B
      heat_flux_W_m2, enthalpy_flux_W_m2, vapour_flux_kg_m2s, liquid_flux_kg_m2s (m, L+1)
      climate_a, climate_b: dicts of (m) arrays: temperature_degC, humidity_fraction,
        radiation_W_m2, counter_radiation_W_m2, rain_kg_m2h; pressure_Pa (m)
      iterations (m): inner iterations since the previous output time
    Also: layer_names, layer_boundaries_m (L+1 positions), statistics, completed, failure.
    """

    def __init__(self, title, grid, layer_names):
        self.title = title
        self.layer_names = list(layer_names)
        self.node_position_m = grid.node_centres()
        self.layer_of_node = grid.layer_of_node.copy()
        self.positions_m = grid.positions.copy()
        self.layer_boundaries_m = np.concatenate(
            ([grid.positions[0]], [grid.positions[k - 1] for k in grid.layer_end_interface]))
        big_n = grid.interface_count
        self.flux_interfaces = np.array([1] + list(grid.layer_end_interface[:-1]) + [big_n],
                                        dtype=np.int32)
        self._rows = []
        self.statistics = None
        self.completed = True
        self.failure = ""

    def record(self, seconds, climate, probe, iterations):
        layers = len(self.layer_names)
        k = self.flux_interfaces - 1
        self._rows.append((
            seconds, probe.temperature.copy(), probe.humidity.copy(),
            probe.water_content.copy(), probe.saturation_pressure.copy(),
            probe.dew_point.copy(), probe.total_water,
            [probe.layer_water(l) for l in range(layers)],
            [probe.layer_water_content(l) for l in range(layers)],
            [probe.boundary_temperature(b) for b in range(1, layers)],
            [probe.boundary_humidity(b) for b in range(1, layers)],
            [f[k].copy() for f in probe.fluxes], climate, iterations))

    def finish(self):
        """Turns the recorded rows into the arrays."""
        rows = self._rows
        layers = len(self.layer_names)

        def column(i, width=None):
            if width == 0:
                return np.zeros((len(rows), 0))
            return np.array([r[i] for r in rows], dtype=np.float64)

        self.time_s = column(0)
        self.time_h = self.time_s / 3600.0
        self.temperature_degC = column(1)
        self.humidity_fraction = column(2)
        self.water_content_kg_m3 = column(3)
        self.saturation_pressure_Pa = column(4)
        self.dew_point_degC = column(5)
        self.total_water_kg_m2 = column(6)
        self.layer_water_kg_m2 = column(7)
        self.layer_water_content_kg_m3 = column(8)
        self.boundary_temperature_degC = column(9, layers - 1)
        self.boundary_humidity_fraction = column(10, layers - 1)
        fluxes = [np.array([r[11][i] for r in rows]) for i in range(4)]
        (self.heat_flux_W_m2, self.enthalpy_flux_W_m2, self.vapour_flux_kg_m2s,
         self.liquid_flux_kg_m2s) = fluxes
        for s, side in enumerate(("a", "b")):
            setattr(self, "climate_" + side, {
                "temperature_degC": np.array([r[12][s][0] for r in rows]),
                "humidity_fraction": np.array([r[12][s][1] for r in rows]),
                "radiation_W_m2": np.array([r[12][s][2] for r in rows]),
                "counter_radiation_W_m2": np.array([r[12][s][3] for r in rows]),
                "rain_kg_m2h": np.array([r[12][s][4] for r in rows]),
            })
        self.pressure_Pa = np.array([r[12][2] for r in rows])
        self.iterations = np.array([r[13] for r in rows], dtype=np.int64)
        self._rows = []
        return self

    # -------------------------------------------------------------------------------
    def series(self, name):
        """A time series by the host's quantity name (m values)."""
        layers = len(self.layer_names)
        series_unit(name, layers)
        if name == "total_water":
            return self.total_water_kg_m2
        if name == "iterations":
            return self.iterations.astype(np.float64)
        match = _INDEXED.match(name)
        if match:
            kind, index = match.group(1), int(match.group(2))
            table = {
                "interface_temperature": lambda: self.boundary_temperature_degC[:, index - 1],
                "interface_humidity": lambda: self.boundary_humidity_fraction[:, index - 1],
                "layer_water": lambda: self.layer_water_kg_m2[:, index - 1],
                "layer_water_content": lambda: self.layer_water_content_kg_m3[:, index - 1],
                "heat_flux_interface": lambda: self.heat_flux_W_m2[:, index],
                "enthalpy_flux_interface": lambda: self.enthalpy_flux_W_m2[:, index],
                "vapour_flux_interface": lambda: self.vapour_flux_kg_m2s[:, index],
                "liquid_flux_interface": lambda: self.liquid_flux_kg_m2s[:, index],
            }
            return table[kind]()
        match = _SIDED.match(name)
        kind, side = match.group(1), match.group(2)
        climate = self.climate_a if side == "a" else self.climate_b
        node = 1 if side == "a" else -2
        column = 0 if side == "a" else -1
        table = {
            "air_temperature": lambda: climate["temperature_degC"],
            "air_humidity": lambda: climate["humidity_fraction"],
            "rain": lambda: climate["rain_kg_m2h"],
            "radiation": lambda: climate["radiation_W_m2"],
            "surface_temperature": lambda: self.temperature_degC[:, node],
            "surface_humidity": lambda: self.humidity_fraction[:, node],
            "heat_flux": lambda: self.heat_flux_W_m2[:, column],
            "enthalpy_flux": lambda: self.enthalpy_flux_W_m2[:, column],
            "vapour_flux": lambda: self.vapour_flux_kg_m2s[:, column],
            "liquid_flux": lambda: self.liquid_flux_kg_m2s[:, column],
        }
        return table[kind]()

    def write_series_csv(self, path, names, every=1):
        """The host's time series CSV: "time [h],<name> [<unit>],..." with 8 significant
        digits, one row per `every` output times after the start (iterations summed over
        the rows left out)."""
        layers = len(self.layer_names)
        columns = []
        for name in names:
            if name == "iterations":
                total = np.cumsum(self.iterations).astype(np.float64)
                column = np.zeros(total.size)
                column[every:] = total[every:] - total[:-every]
                columns.append(column)
            else:
                columns.append(self.series(name))
        with open(path, "w", encoding="utf-8") as out:
            out.write("time [h]" + "".join(f",{n} [{series_unit(n, layers)}]" for n in names)
                      + "\n")
            for i in range(every, self.time_s.size, every):
                out.write(_g(self.time_s[i] / 3600.0) +
                          "".join("," + _g(c[i]) for c in columns) + "\n")

    def write_profiles_csv(self, path, times_s, names):
        """The host's profile CSV: per requested time, the first output time at or after it,
        one row per interior node: time [h], position [m], layer, quantities."""
        with open(path, "w", encoding="utf-8") as out:
            out.write("time [h],position [m],layer [-]" +
                      "".join(f",{n} [{PROFILE_QUANTITIES[n]}]" for n in names) + "\n")
            values = [self.profile(n) for n in names]
            written = set()
            for t in times_s:
                later = np.nonzero(self.time_s >= t - 1e-6)[0]
                if later.size == 0 or later[0] in written:
                    continue
                row = int(later[0])
                written.add(row)
                for i in range(1, self.node_position_m.size - 1):
                    out.write(_g(self.time_s[row] / 3600.0) + "," +
                              _g(self.node_position_m[i]) + "," +
                              str(int(self.layer_of_node[i]) + 1) +
                              "".join("," + _g(v[row, i]) for v in values) + "\n")

    def profile(self, name):
        """(m, n) node values of a profile quantity."""
        if name == "vapour_pressure":
            return self.humidity_fraction * self.saturation_pressure_Pa
        attribute = {"temperature": "temperature_degC", "humidity": "humidity_fraction",
                     "water_content": "water_content_kg_m3", "dew_point": "dew_point_degC"}
        if name not in attribute:
            raise ValueError(f'"{name}" is not a profile quantity')
        return getattr(self, attribute[name])

    def row_at(self, hours):
        """Index of the output time closest to `hours`."""
        return int(np.argmin(np.abs(self.time_h - hours)))


def _g(value):
    """A number as the host's streams write it with precision 8 (printf %.8g)."""
    return "%.8g" % value
