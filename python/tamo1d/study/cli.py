"""python3 -m tamo1d study STUDY.json --out DIR [--scheduler ADDRESS] [--workers N]"""

import argparse
import os
import sys

from .errors import StudyError
from .plots import plot_results
from .runner import parameter_columns, result_columns, run
from .study_file import load_study
from .summary import format_summary, summarise


def parser():
    p = argparse.ArgumentParser(
        prog="python3 -m tamo1d study",
        description="Runs every variant of a study on Dask distributed and writes one table "
                    "(results.csv), its summary (summary.csv) and plots (plots/). Rerunning "
                    "with the same --out runs only the variants not yet there.")
    p.add_argument("study", help="study file (JSON, see docs/study_format.md)")
    p.add_argument("--out", "-o", required=True, help="output folder")
    p.add_argument("--scheduler", default=None,
                   help="address of a running Dask scheduler (tcp://HOST:8786); default: a "
                        "local cluster")
    p.add_argument("--workers", type=int, default=None,
                   help="worker processes of the local cluster (default: one per core; 0: "
                        "run the variants in this process, no cluster)")
    p.add_argument("--retry-failed", action="store_true",
                   help="run the variants that failed before again")
    p.add_argument("--no-progress", action="store_true", help="no progress bar")
    p.add_argument("--no-plots", action="store_true", help="no plots")
    return p


def main(argv=None):
    arguments = parser().parse_args(argv)
    if arguments.workers is not None and arguments.workers < 0:
        print("tamo1d study: error: --workers must be 0 or more", file=sys.stderr)
        return 2
    try:
        study = load_study(arguments.study)
        table = run(study, arguments.out, arguments.scheduler, arguments.workers,
                    False if arguments.no_progress else None, arguments.retry_failed)
    except StudyError as error:
        print(f"tamo1d study: error: {error}", file=sys.stderr)
        return 2
    except OSError as error:
        print(f"tamo1d study: error: {error}", file=sys.stderr)
        return 2
    except KeyboardInterrupt:
        print(f"tamo1d study: interrupted; the finished variants are in {arguments.out}, "
              "run the same command again to go on", file=sys.stderr)
        return 130
    results = result_columns(table, study)
    summary = summarise(table, results)
    summary.to_csv(os.path.join(arguments.out, "summary.csv"), index=False)
    print(format_summary(table, summary))
    print(os.path.join(arguments.out, "results.csv"))
    if not arguments.no_plots:
        written = plot_results(table, parameter_columns(study), results,
                               os.path.join(arguments.out, "plots"))
        if written:
            print(f"{len(written)} plots in {os.path.join(arguments.out, 'plots')}")
    return 1 if (table["status"] != "ok").any() else 0
