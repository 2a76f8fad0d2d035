"""One figure per result: the result over each varied parameter (one panel each), a point
per variant. Text parameters (weather files) are spread over the axis by category."""

import os
import re

import numpy as np
import pandas as pd


def _axis_values(series):
    numbers = pd.to_numeric(series, errors="coerce")
    if numbers.notna().all():
        return numbers.to_numpy(float), None
    labels = [str(v) for v in series]
    categories = sorted(set(labels))
    return np.array([categories.index(v) for v in labels], dtype=float), categories


def file_name(result):
    return re.sub(r"[^A-Za-z0-9_.-]+", "_", result).strip("_") or "result"


def plot_results(table, parameters, results, directory, image_format="png"):
    """Writes directory/<result>.<format> for every numeric result; returns the paths."""
    import matplotlib
    if matplotlib.get_backend().lower() not in ("agg", "pdf", "svg"):
        matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    os.makedirs(directory, exist_ok=True)
    ok = table[table["status"] == "ok"]
    written = []
    for result in results:
        y = pd.to_numeric(ok[result], errors="coerce")
        if result.endswith(".verdict") or y.isna().all():
            continue
        figure, axes = plt.subplots(1, len(parameters), figsize=(4 * len(parameters), 3.4),
                                    squeeze=False)
        for axis, parameter in zip(axes[0], parameters):
            x, categories = _axis_values(ok[parameter])
            axis.plot(x, y, "o", markersize=4, alpha=0.7)
            if categories:
                axis.set_xticks(range(len(categories)))
                axis.set_xticklabels([os.path.basename(c) for c in categories], rotation=30,
                                     fontsize=7)
            axis.set_xlabel(parameter)
            axis.grid(True, alpha=0.3)
        axes[0][0].set_ylabel(result)
        figure.tight_layout()
        path = os.path.join(directory, f"{file_name(result)}.{image_format}")
        figure.savefig(path)
        plt.close(figure)
        written.append(path)
    return written
