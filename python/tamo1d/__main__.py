"""Command line: python3 -m tamo1d {plot,run} CASE.json [options]
                python3 -m tamo1d study STUDY.json --out DIR [options]

  run    runs the case through the host library and writes its CSV outputs (as tamo1d)
  plot   runs the case and saves pictures of its outputs
  study  runs the variants of a parameter study on Dask distributed (tamo1d.study.cli)
"""

import argparse
import sys

from .errors import CaseError
from .simulation import Simulation, SimulationStopped


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
                             help="profile times in hours, comma-separated (default: all "
                                  "profile times of the case)")
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
        simulation = Simulation(arguments.case, arguments.catalogue)
        for warning in simulation.warnings:
            print(f"tamo1d: warning: {warning}", file=sys.stderr)
        simulation.check_outputs(arguments.out)
    except CaseError as error:
        print(f"tamo1d: error: {error}", file=sys.stderr)
        return 2
    stopped = None
    try:
        simulation.run(progress=False if arguments.no_progress else None)
    except SimulationStopped as error:
        stopped = str(error)
    try:
        if arguments.command == "plot":
            from . import plots
            times = [float(t) for t in arguments.times.split(",")] if arguments.times else None
            written = plots.save_all(simulation, arguments.out, arguments.format, times)
        else:
            written = simulation.write_outputs(arguments.out)
    except OSError as error:
        print(f"tamo1d: error: {error}", file=sys.stderr)
        return 1
    for path in written:
        print(path)
    if stopped is not None:
        print(f"tamo1d: {arguments.case}: the simulation stopped: {stopped}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
