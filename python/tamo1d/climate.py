"""Climate quantities as functions of the hour on the simulation clock.

Three sources of values, all evaluated at an hour (start hour + seconds / 3600):
  Signal      a constant or a sum of cosine cycles, clipped to [min, max];
  CsvClimate  columns of a CSV file with a "time" column in hours, linear in time,
              optionally repeating with a period;
  Series      arrays given from Python (hours and values), linear in time, held constant
              beyond both ends.
"""

import bisect
import os
import math

import numpy as np

from .errors import CaseError

HOURS_PER_YEAR = 8760.0

QUANTITIES = ("temperature", "humidity", "radiation", "counter_radiation", "rain")
CSV_COLUMNS = QUANTITIES + ("pressure",)

# Physically meaningful range, whether required without a CSV column.
QUANTITY_RANGES = {
    "temperature": (-80.0, 80.0, True),
    "humidity": (0.0, 1.0, True),
    "radiation": (-500.0, 2000.0, False),
    "counter_radiation": (0.0, 1000.0, False),
    "rain": (0.0, 500.0, False),
    "pressure": (30000.0, 120000.0, False),
}


class Signal:
    """mean + sum of amplitude * cos(2 pi (hour - peak) / period), clipped."""

    def __init__(self, mean, cycles=(), minimum=-math.inf, maximum=math.inf):
        self.mean = float(mean)
        self.cycles = [(float(p), float(a), float(h)) for p, a, h in cycles]  # (h, unit, h)
        self.minimum = minimum
        self.maximum = maximum

    def at(self, hour):
        value = self.mean
        for period, amplitude, peak in self.cycles:
            value += amplitude * math.cos(2.0 * math.pi * (hour - peak) / period)
        return min(max(value, self.minimum), self.maximum)


def signal_from_json(value, file, path, lowest, highest):
    """A number or {"mean", "annual_amplitude", "annual_peak_day", "daily_amplitude",
    "daily_peak_hour", "cycles": [{"period_hours", "amplitude", "peak_hour"}], "min",
    "max"}."""
    if isinstance(value, (int, float)) and not isinstance(value, bool):
        if not lowest <= value <= highest:
            raise CaseError(file, path, f"{value} lies outside [{lowest}, {highest}]")
        return Signal(value)
    if not isinstance(value, dict):
        raise CaseError(file, path, "must be a number or an object with \"mean\"")
    if "mean" not in value:
        raise CaseError(file, path + ".mean", "is required but missing")
    mean = float(value["mean"])
    cycles = []
    annual = float(value.get("annual_amplitude", 0.0))
    if annual != 0.0:
        cycles.append((HOURS_PER_YEAR, annual, float(value.get("annual_peak_day", 0.0)) * 24.0))
    daily = float(value.get("daily_amplitude", 0.0))
    if daily != 0.0:
        cycles.append((24.0, daily, float(value.get("daily_peak_hour", 0.0))))
    for cycle in value.get("cycles", []):
        cycles.append((float(cycle["period_hours"]), float(cycle["amplitude"]),
                       float(cycle.get("peak_hour", 0.0))))
    minimum = float(value.get("min", lowest))
    maximum = float(value.get("max", highest))
    swing = sum(abs(c[1]) for c in cycles)
    if mean - swing < lowest and "min" not in value:
        raise CaseError(file, path, f"mean minus the amplitudes falls below {lowest}; add "
                                    "\"min\" to clip")
    if mean + swing > highest and "max" not in value:
        raise CaseError(file, path, f"mean plus the amplitudes exceeds {highest}; add "
                                    "\"max\" to clip")
    return Signal(mean, cycles, minimum, maximum)


class CsvClimate:
    """Records of a CSV file with a header row (units in brackets allowed)."""

    def __init__(self, path, period_hours=0.0):
        self.path = path
        self.period = period_hours if period_hours > 0.0 else 0.0
        self.hours = []
        self.values = {}
        header = None
        columns = {}
        with open(path, encoding="utf-8") as stream:
            for number, line in enumerate(stream, start=1):
                content = line.strip()
                if not content or content.startswith("#"):
                    continue
                cells = [c.strip() for c in line.rstrip("\r\n").split(",")]
                if header is None:
                    header = cells
                    for i, cell in enumerate(cells):
                        key = cell.split("[")[0].strip()
                        if key != "time" and key not in CSV_COLUMNS:
                            raise CaseError(path, f"header column {i + 1}",
                                            f'unknown column "{key}"')
                        if key in columns:
                            raise CaseError(path, f"header column {i + 1}",
                                            f'column "{key}" appears twice')
                        columns[key] = i
                    if "time" not in columns:
                        raise CaseError(path, "header", 'the column "time" is missing')
                    self.values = {k: [] for k in columns if k != "time"}
                    continue
                if len(cells) != len(header):
                    raise CaseError(path, f"line {number}",
                                    f"has {len(cells)} values, the header has {len(header)}")
                try:
                    row = {k: float(cells[i]) for k, i in columns.items()}
                except ValueError:
                    raise CaseError(path, f"line {number}", "holds a value that is not a "
                                                            "number") from None
                if self.hours and row["time"] <= self.hours[-1]:
                    raise CaseError(path, f"line {number}", "times must increase strictly")
                self.hours.append(row["time"])
                for key in self.values:
                    self.values[key].append(row[key])
        if len(self.hours) < 2:
            raise CaseError(path, "", "needs at least two records")

    def has(self, column):
        return column in self.values

    def covers(self, first_hour, last_hour):
        if self.period > 0.0:
            return True
        return first_hour >= self.hours[0] - 1e-9 and last_hour <= self.hours[-1] + 1e-9

    def at(self, column, hour):
        v = self.values[column]
        first, last = self.hours[0], self.hours[-1]
        if self.period > 0.0:
            hour = first + math.fmod(hour - first, self.period)
            if hour < first:
                hour += self.period
            if hour > last:
                # Between the last record and the first record of the next period.
                s = (hour - last) / (first + self.period - last)
                return v[-1] + s * (v[0] - v[-1])
        if hour <= first:
            return v[0]
        if hour >= last:
            return v[-1]
        k = bisect.bisect_right(self.hours, hour)  # hours[k-1] <= hour < hours[k]
        s = (hour - self.hours[k - 1]) / (self.hours[k] - self.hours[k - 1])
        return v[k - 1] + s * (v[k] - v[k - 1])


class Series:
    """Values given at increasing hours; linear in between, constant beyond the ends."""

    def __init__(self, hours, values):
        self.hours = np.asarray(hours, dtype=np.float64)
        self.values = np.asarray(values, dtype=np.float64)
        if self.hours.ndim != 1 or self.hours.shape != self.values.shape:
            raise ValueError("climate series: hours and values must be 1-D arrays of the same "
                             "length")
        if self.hours.size == 0 or np.any(np.diff(self.hours) <= 0.0):
            raise ValueError("climate series: hours must increase strictly")

    def at(self, hour):
        return float(np.interp(hour, self.hours, self.values))


class SideClimate:
    """Climate of one side: one evaluator (Signal, Series or CSV column) per quantity."""

    def __init__(self, sources):
        self.sources = sources  # quantity -> object with at(hour), or (CsvClimate, column)

    def value(self, quantity, hour):
        source = self.sources[quantity]
        if isinstance(source, tuple):
            return source[0].at(source[1], hour)
        return source.at(hour)


def side_from_json(entry, file, path, case_directory):
    """Side climate from the case's climate.side_a / side_b object."""
    if not isinstance(entry, dict):
        raise CaseError(file, path, "must be a JSON object")
    csv = None
    if "csv" in entry:
        name = entry["csv"]
        if not os.path.isabs(name):
            name = os.path.join(case_directory, name)
        csv = CsvClimate(name, float(entry.get("csv_period_hours", 0.0)))
    sources = {}
    for quantity in QUANTITIES:
        lowest, highest, required = QUANTITY_RANGES[quantity]
        in_csv = csv is not None and csv.has(quantity)
        if quantity in entry:
            if in_csv:
                raise CaseError(file, f"{path}.{quantity}", "is given twice: here and as a "
                                                            f"column of {csv.path}")
            sources[quantity] = signal_from_json(entry[quantity], file, f"{path}.{quantity}",
                                                 lowest, highest)
        elif in_csv:
            sources[quantity] = (csv, quantity)
        elif required:
            raise CaseError(file, f"{path}.{quantity}", "is required but missing")
        else:
            sources[quantity] = Signal(0.0)
    return SideClimate(sources), csv


def side_from_arrays(hours, values):
    """Side climate from Python values: per quantity a number, a Signal, or an array
    sampled at `hours`."""
    sources = {}
    for quantity in QUANTITIES:
        value = values.get(quantity)
        if value is None:
            if QUANTITY_RANGES[quantity][2]:
                raise ValueError(f"climate: {quantity} is required")
            value = 0.0
        sources[quantity] = _evaluator(hours, value, quantity)
    unknown = set(values) - set(QUANTITIES)
    if unknown:
        raise ValueError(f"climate: unknown quantities {sorted(unknown)}")
    return SideClimate(sources)


def _evaluator(hours, value, name):
    if hasattr(value, "at"):
        return value
    if np.ndim(value) == 0:
        return Signal(float(value))
    if hours is None:
        raise ValueError(f"climate: {name} is an array but no hours were given")
    return Series(hours, value)


def pressure_evaluator(hours, value):
    return _evaluator(hours, 101325.0 if value is None else value, "pressure")


