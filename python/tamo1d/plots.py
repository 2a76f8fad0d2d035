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
