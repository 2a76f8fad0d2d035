"""Command line: python3 -m tamo1d {plot,run} CASE.json [options]
                python3 -m tamo1d study STUDY.json --out DIR [options]

  plot   runs the case and saves profiles, surfaces and total_water images
  run    runs the case and writes its CSV outputs as the command-line host does
  study  runs the variants of a parameter study on Dask distributed (tamo1d.study.cli)
"""

import argparse
import os
import sys

from .case import load_case
from .errors import CaseError, TamoError


def _parser():
    parser = argparse.ArgumentParser(prog="python3 -m tamo1d",
                                     description="Runs and plots tamo1d case files.")
    commands = parser.add_subparsers(dest="command", required=True)
    for name, text in (("plot", "run the case and save plots"),
                       ("run", "run the case and write its CSV outputs")):
        sub = commands.add_parser(name, help=text)
        sub.add_argument("case", help="case file (JSON)")
        sub.add_argument("--out", "-o", default=".", help="output directory (default: .)")
        sub.add_argument("--catalogue", "-c", default=None,
                         help="search this material catalogue directory first")
        sub.add_argument("--no-progress", action="store_true", help="no progress bar")
        if name == "plot":
            sub.add_argument("--format", choices=("png", "svg"), default="png")
            sub.add_argument("--times", default=None,
                             help="profile times in hours, comma-separated (default: the "
                                  "case's profile times or five times over the run)")
            sub.add_argument("--every-hours", type=float, default=None,
                             help="output interval of the plotted series in hours (default: "
                                  "the case's series interval or the step)")
    commands.add_parser("study", add_help=False,
                        help="run a parameter study (python3 -m tamo1d study --help)")
    return parser


def main(argv=None):
    argv = sys.argv[1:] if argv is None else list(argv)
    if argv[:1] == ["study"]:
        from .study.cli import main as study_main
        return study_main(argv[1:])
    arguments = _parser().parse_args(argv)
    try:
        simulation, outputs = load_case(arguments.case, arguments.catalogue)
        progress = False if arguments.no_progress else None
        if arguments.command == "plot":
            from . import plots
            every = arguments.every_hours
            results = simulation.run(output_interval_hours=every, progress=progress)
            if arguments.times:
                times = [float(t) for t in arguments.times.split(",")]
            elif outputs.profile_times:
                times = [t / 3600.0 for t in outputs.profile_times]
            else:
                times = None
            written = plots.save_all(results, arguments.out, arguments.format, times)
        else:
            series_every = 1
            if outputs.profile_file:
                # Every step is kept so that each profile time finds its step.
                series_every = max(1, round(outputs.series_interval / simulation.time["step"]))
                simulation.output_interval = simulation.time["step"]
            results = simulation.run(progress=progress)
            os.makedirs(arguments.out, exist_ok=True)
            written = []
            if outputs.series_file:
                path = os.path.join(arguments.out, outputs.series_file)
                results.write_series_csv(path, outputs.series_quantities, series_every)
                written.append(path)
            if outputs.profile_file:
                path = os.path.join(arguments.out, outputs.profile_file)
                results.write_profiles_csv(path, outputs.profile_times,
                                           outputs.profile_quantities)
                written.append(path)
    except (CaseError, OSError) as error:
        print(f"tamo1d: error: {error}", file=sys.stderr)
        return 2
    except TamoError as error:
        print(f"tamo1d: {error}", file=sys.stderr)
        return 1
    for path in written:
        print(path)
    if not results.completed:
        print(f"tamo1d: the simulation stopped: {results.failure}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
