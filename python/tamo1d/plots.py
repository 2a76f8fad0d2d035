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
    colours = plt.rcParams["axes.prop_cycle"].by_key()["color"]
    for axis, group in zip(axes[:, 0], groups):
        for i, name in enumerate(group):
            _draw_series(axis, hours, simulation.series(name), colours[i % len(colours)], name)
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
    for name, monitor in simulation.monitors().items():
        jobs.append((f"mould_index_{name}", lambda p, m=monitor: plot_mould_index(m, p)))
        jobs.append((f"monitor_{name}", lambda p, m=monitor: plot_monitor_climate(m, p)))
    equilibrium = simulation.equilibrium()
    if equilibrium is not None:
        jobs.append(("water_per_year", lambda p: plot_water_per_year(equilibrium, p)))
    written = []
    for name, plot in jobs:
        path = os.path.join(out_dir, f"{name}.{fmt}")
        plot(path)
        written.append(path)
    return written


# Assessment pictures: the arrays come from Simulation.monitors() and
# Simulation.equilibrium() (the host library computes every value, the critical humidity
# curve included).

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
        axis.plot(middle, mean, color=colour, linewidth=1.0,
                  label=f"{label} (daily min/mean/max)")
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
    axis.set_title(f"{monitor['name']}: VTT mould index")
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
