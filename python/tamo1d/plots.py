"""Pictures of a run's outputs (needs matplotlib): the profiles of the case at its profile
times, the surface and layer-boundary temperatures and humidities over time, and the total
water. Each takes a finished tamo1d.Simulation and plots what its case outputs."""

import os

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402


def _mark_layers(axis, position_m, layer):
    changes = np.nonzero(np.diff(layer))[0]
    for i in changes:
        axis.axvline(500.0 * (position_m[i] + position_m[i + 1]), color="0.6", linewidth=0.8)


def plot_profiles(simulation, path, times_h=None):
    """One panel per profile quantity over the position, one line per profile time
    (times_h: the nearest profile times to these hours; None: all)."""
    table = simulation.profiles
    quantities = [n for n in table if n not in ("time", "position", "layer")]
    available = np.unique(table["time"])
    if times_h is not None:
        available = np.unique([available[np.abs(available - t).argmin()] for t in times_h])
    figure, axes = plt.subplots(len(quantities), 1, figsize=(7, 2.4 * len(quantities)),
                                sharex=True, squeeze=False)
    for axis, name in zip(axes[:, 0], quantities):
        for hours in available:
            rows = table["time"] == hours
            axis.plot(table["position"][rows] * 1000.0, table[name][rows], label=f"{hours:g} h")
        _mark_layers(axis, table["position"][table["time"] == available[0]],
                     table["layer"][table["time"] == available[0]])
        axis.set_ylabel(name)
    axes[0, 0].legend(fontsize="small")
    axes[-1, 0].set_xlabel("position from surface A [mm]")
    figure.suptitle(f"{simulation.title}: profiles")
    figure.savefig(path)
    plt.close(figure)


def plot_surface_series(simulation, path):
    """Temperatures and humidities of the time series over time, one panel each."""
    names = simulation.series_names()
    groups = [[n for n in names if "temperature" in n], [n for n in names if "humidity" in n]]
    groups = [g for g in groups if g]
    figure, axes = plt.subplots(max(len(groups), 1), 1, figsize=(8, 3 * max(len(groups), 1)),
                                sharex=True, squeeze=False)
    hours = simulation.series("time")
    for axis, group in zip(axes[:, 0], groups):
        for name in group:
            axis.plot(hours, simulation.series(name), label=name, linewidth=1.0)
        axis.set_ylabel(f"[{simulation.series_unit(group[0])}]")
        axis.legend(fontsize="small")
    axes[-1, 0].set_xlabel("time [h]")
    figure.suptitle(f"{simulation.title}: surfaces and layer boundaries")
    figure.savefig(path)
    plt.close(figure)


def plot_total_water(simulation, path):
    """The total water of the component over time."""
    figure, axis = plt.subplots(figsize=(8, 3))
    axis.plot(simulation.series("time"), simulation.series("total_water"), color="black")
    axis.set_xlabel("time [h]")
    axis.set_ylabel("total water [kg/m2]")
    figure.suptitle(f"{simulation.title}: total water")
    figure.savefig(path)
    plt.close(figure)


def save_all(simulation, out_dir, fmt="png", times_h=None):
    """The pictures the case's outputs allow, as out_dir/<name>.<fmt>; returns the paths."""
    os.makedirs(out_dir, exist_ok=True)
    names = simulation.series_names()
    jobs = []
    if simulation.profiles.get("time") is not None and len(simulation.profiles["time"]):
        jobs.append(("profiles", lambda p: plot_profiles(simulation, p, times_h)))
    if any("temperature" in n or "humidity" in n for n in names):
        jobs.append(("surfaces", lambda p: plot_surface_series(simulation, p)))
    if "total_water" in names:
        jobs.append(("total_water", lambda p: plot_total_water(simulation, p)))
    written = []
    for name, plot in jobs:
        path = os.path.join(out_dir, f"{name}.{fmt}")
        plot(path)
        written.append(path)
    return written
