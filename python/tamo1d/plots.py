"""Plots of a run (matplotlib, Agg backend): profiles across the layers at chosen times,
time series of surface and layer-boundary values, total water over time."""

import os

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402


def default_times(results, count=5):
    """`count` output times (h) spread evenly over the run, start and end included."""
    hours = results.time_h
    wanted = np.linspace(hours[0], hours[-1], count)
    return sorted({float(hours[results.row_at(t)]) for t in wanted})


def _mark_layers(axis, results):
    boundaries_mm = results.layer_boundaries_m * 1000.0
    for x in boundaries_mm[1:-1]:
        axis.axvline(x, color="0.6", linewidth=0.8, linestyle="--")
    for name, left, right in zip(results.layer_names, boundaries_mm[:-1], boundaries_mm[1:]):
        axis.text(0.5 * (left + right), 1.01, name, transform=axis.get_xaxis_transform(),
                  ha="center", va="bottom", fontsize=8, color="0.3")


def plot_profiles(results, path, times_h=None):
    """Water content and temperature across the component at the output times closest to
    times_h (default: five times over the run)."""
    times_h = default_times(results) if times_h is None else times_h
    x_mm = results.node_position_m[1:-1] * 1000.0
    figure, (water_axis, temperature_axis) = plt.subplots(2, 1, figsize=(8, 7), sharex=True)
    colours = plt.cm.viridis(np.linspace(0.0, 0.9, max(len(times_h), 1)))
    for colour, hours in zip(colours, times_h):
        row = results.row_at(hours)
        label = f"{results.time_h[row]:g} h"
        water_axis.plot(x_mm, results.water_content_kg_m3[row, 1:-1], color=colour, label=label)
        temperature_axis.plot(x_mm, results.temperature_degC[row, 1:-1], color=colour,
                              label=label)
    for axis in (water_axis, temperature_axis):
        _mark_layers(axis, results)
        axis.grid(True, alpha=0.3)
    water_axis.set_ylabel("water content [kg/m³]")
    water_axis.legend(fontsize=8, loc="best")
    temperature_axis.set_ylabel("temperature [°C]")
    temperature_axis.set_xlabel("position from surface A [mm]")
    figure.suptitle(f"{results.title}: profiles")
    figure.tight_layout()
    figure.savefig(path)
    plt.close(figure)
    return path


def plot_surface_series(results, path):
    """Temperature and relative humidity over time at both surfaces and at every layer
    boundary, with the air of both sides."""
    hours = results.time_h
    figure, (temperature_axis, humidity_axis) = plt.subplots(2, 1, figsize=(9, 7), sharex=True)
    temperature_axis.plot(hours, results.climate_a["temperature_degC"], color="0.75",
                          linewidth=0.8, label="air A")
    temperature_axis.plot(hours, results.climate_b["temperature_degC"], color="0.45",
                          linewidth=0.8, label="air B")
    humidity_axis.plot(hours, results.climate_a["humidity_fraction"] * 100.0, color="0.75",
                       linewidth=0.8, label="air A")
    humidity_axis.plot(hours, results.climate_b["humidity_fraction"] * 100.0, color="0.45",
                       linewidth=0.8, label="air B")
    temperature_axis.plot(hours, results.temperature_degC[:, 1], label="surface A")
    temperature_axis.plot(hours, results.temperature_degC[:, -2], label="surface B")
    humidity_axis.plot(hours, results.humidity_fraction[:, 1] * 100.0, label="surface A")
    humidity_axis.plot(hours, results.humidity_fraction[:, -2] * 100.0, label="surface B")
    for b in range(results.boundary_temperature_degC.shape[1]):
        label = f"{results.layer_names[b]} | {results.layer_names[b + 1]}"
        temperature_axis.plot(hours, results.boundary_temperature_degC[:, b], label=label)
        humidity_axis.plot(hours, results.boundary_humidity_fraction[:, b] * 100.0, label=label)
    temperature_axis.set_ylabel("temperature [°C]")
    humidity_axis.set_ylabel("relative humidity [%]")
    humidity_axis.set_xlabel("time [h]")
    for axis in (temperature_axis, humidity_axis):
        axis.grid(True, alpha=0.3)
        axis.legend(fontsize=8, loc="best")
    figure.suptitle(f"{results.title}: surfaces and layer boundaries")
    figure.tight_layout()
    figure.savefig(path)
    plt.close(figure)
    return path


def plot_total_water(results, path):
    """Total water of the component (kg/m²) and the water of every layer over time."""
    figure, axis = plt.subplots(figsize=(8, 4.5))
    axis.plot(results.time_h, results.total_water_kg_m2, color="black", linewidth=1.5,
              label="total")
    if len(results.layer_names) > 1:
        for l, name in enumerate(results.layer_names):
            axis.plot(results.time_h, results.layer_water_kg_m2[:, l], linewidth=0.9,
                      label=f"layer {l + 1}: {name}")
    axis.set_xlabel("time [h]")
    axis.set_ylabel("water [kg/m²]")
    axis.grid(True, alpha=0.3)
    axis.legend(fontsize=8, loc="best")
    axis.set_title(f"{results.title}: water content")
    figure.tight_layout()
    figure.savefig(path)
    plt.close(figure)
    return path


def save_all(results, directory, image_format="png", times_h=None):
    """Writes profiles, surfaces and total_water images into directory; returns the paths."""
    if image_format not in ("png", "svg"):
        raise ValueError(f"image format {image_format!r}: png or svg")
    os.makedirs(directory, exist_ok=True)
    join = lambda name: os.path.join(directory, f"{name}.{image_format}")  # noqa: E731
    return [plot_profiles(results, join("profiles"), times_h),
            plot_surface_series(results, join("surfaces")),
            plot_total_water(results, join("total_water"))]


# Assessment pictures: the arrays come from Simulation.monitors() and
# Simulation.equilibrium() (one engine: the host library computes every value).

BAND_AFTER_DAYS = 14  # longer series are drawn as daily bands, shorter ones as lines


def daily_band(time_h, values):
    """Daily minimum, mean and maximum of a series with rows at the ends of their intervals
    (a row at 24 h belongs to the first day). Returns (day_middle_h, low, mean, high)."""
    time_h = np.asarray(time_h, dtype=float)
    values = np.asarray(values, dtype=float)
    day = np.maximum(np.floor((time_h - 1e-9) / 24.0), 0.0).astype(int)
    days = np.unique(day)
    low = np.array([values[day == d].min() for d in days])
    mean = np.array([values[day == d].mean() for d in days])
    high = np.array([values[day == d].max() for d in days])
    return days * 24.0 + 12.0, low, mean, high


def _draw_series(axis, time_h, values, colour, label):
    """A line for short series, a daily min-max band with its mean line for long ones."""
    if len(time_h) and time_h[-1] - time_h[0] > BAND_AFTER_DAYS * 24.0:
        middle, low, mean, high = daily_band(time_h, values)
        axis.fill_between(middle, low, high, color=colour, alpha=0.25, linewidth=0)
        axis.plot(middle, mean, color=colour, linewidth=1.0, label=f"{label} (daily min/mean/max)")
    else:
        axis.plot(time_h, values, color=colour, linewidth=1.0, label=label)


def _finish(figure, path):
    figure.tight_layout()
    figure.savefig(path)
    plt.close(figure)
    return path


def plot_mould_index(monitor, path):
    """Mould index M over time at a monitor with its limit line."""
    figure, axis = plt.subplots(figsize=(8, 4))
    axis.plot(monitor["time_h"], monitor["mould_index"], color="darkgreen", label="mould index M")
    axis.axhline(monitor["mould_limit"], color="firebrick", linestyle="--",
                 label=f"limit M = {monitor['mould_limit']:g}")
    axis.set_ylim(0.0, max(6.0 if monitor["mould_index"].max() > 3 else 3.5,
                           monitor["mould_limit"] + 0.5))
    axis.set_xlabel("time [h]")
    axis.set_ylabel("mould index [-]")
    axis.grid(True, alpha=0.3)
    axis.legend(fontsize=8, loc="upper left")
    axis.set_title(f"{monitor['name']}: VTT mould index ({monitor['mould_class']})")
    return _finish(figure, path)


def plot_monitor_climate(monitor, path):
    """Temperature and relative humidity at a monitor, with the critical humidity of mould
    growth at the monitor's temperature (the VTT model's RH_crit curve over time)."""
    hours = monitor["time_h"]
    figure, (temperature_axis, humidity_axis) = plt.subplots(2, 1, figsize=(9, 6), sharex=True)
    _draw_series(temperature_axis, hours, monitor["temperature_degC"], "tab:red", "temperature")
    _draw_series(humidity_axis, hours, monitor["humidity_fraction"] * 100.0, "tab:blue",
                 "relative humidity")
    _draw_series(humidity_axis, hours, monitor["critical_humidity_fraction"] * 100.0,
                 "tab:orange", "critical humidity RH_crit")
    temperature_axis.set_ylabel("temperature [°C]")
    humidity_axis.set_ylabel("relative humidity [%]")
    humidity_axis.set_xlabel("time [h]")
    for axis in (temperature_axis, humidity_axis):
        axis.grid(True, alpha=0.3)
        axis.legend(fontsize=8, loc="best")
    figure.suptitle(f"{monitor['name']}: conditions for mould growth")
    return _finish(figure, path)


def plot_water_per_year(equilibrium, path):
    """Total water at the start and at the end of each simulated year."""
    water = np.asarray(equilibrium["year_end_water_kg_m2"], dtype=float)
    figure, axis = plt.subplots(figsize=(6, 4))
    axis.plot(np.arange(len(water)), water, marker="o", color="black")
    axis.set_xlabel("year (0 = start)")
    axis.set_ylabel("total water [kg/m²]")
    axis.set_xticks(np.arange(len(water)))
    axis.grid(True, alpha=0.3)
    state = "equilibrium reached" if equilibrium["reached"] else "no equilibrium"
    axis.set_title(f"total water per year: {equilibrium['trend']}, {state}")
    return _finish(figure, path)
