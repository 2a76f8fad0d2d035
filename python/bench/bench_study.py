"""Throughput of a parameter study on a local Dask cluster: the same study with 1 worker and
with 2 workers (or the counts given) in one run, each into a fresh output folder, in variants
per minute. The wall time includes starting the cluster.

    /usr/bin/python3 python/bench/bench_study.py [--study FILE] [--workers 1 2]
                                                 [--duration-hours H] [--limit N]

The load average of the machine is printed before and after: other processes on the cores
lower the 2-worker figure first (with the Linux autogroup scheduler the cores are shared
between sessions, so a busy machine gives both worker counts about the same CPU time).
Measure on a quiet machine.

Before the study, the machine's own ceiling is measured without Dask: one variant run alone
in one process, then the same variant in two processes at once. Two cores that share one
physical core (virtual machines often hand out the two hyperthreads of one core) give far
less than 2x here, and no scheduler can do better than this ceiling.
"""

import argparse
import concurrent.futures
import multiprocessing
import os
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))

from tamo1d import study as studies  # noqa: E402
from tamo1d.study.task import run_variant  # noqa: E402
from tamo1d.study.variants import study_variants, variant_case  # noqa: E402

DEFAULT_STUDY = os.path.join(HERE, "..", "..", "examples", "studies", "default_wall_study.json")


def measure(study, workers):
    with tempfile.TemporaryDirectory(prefix="bench_study_") as out:
        started = time.monotonic()
        table = studies.run(study, out=out, workers=workers, progress=False)
        seconds = time.monotonic() - started
    return len(table), int((table["status"] == "failed").sum()), seconds


def first_task(study):
    variant = study_variants(study)[0]
    return (variant.key, variant_case(study, variant), study.collect, study.base_dir,
            study.catalogue)


def timed_run(task):
    started = time.monotonic()
    run_variant(*task)
    return time.monotonic() - started


def machine_ceiling(study, processes=2):
    """Throughput of `processes` copies of one variant run at once in separate processes,
    relative to one copy alone: the best speed-up any scheduler can reach here."""
    task = first_task(study)
    context = multiprocessing.get_context("spawn")
    with concurrent.futures.ProcessPoolExecutor(processes, mp_context=context) as pool:
        list(pool.map(timed_run, [task] * processes))  # warm up: imports, library load
        alone = pool.submit(timed_run, task).result()
        started = time.monotonic()
        list(pool.map(timed_run, [task] * processes))
        together = time.monotonic() - started
    return alone, together, processes * alone / together


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--study", default=DEFAULT_STUDY)
    parser.add_argument("--workers", type=int, nargs="+", default=[1, 2])
    parser.add_argument("--duration-hours", type=float, default=None,
                        help="shorten every run (default: the study's duration)")
    parser.add_argument("--limit", type=int, default=None,
                        help="keep only the first N values of the first parameter")
    arguments = parser.parse_args()
    study = studies.load_study(arguments.study)
    if arguments.duration_hours:
        study.changes["time.duration_hours"] = arguments.duration_hours
    if arguments.limit:
        source = study.parameters[0].source
        source.values = source.values[:arguments.limit]
    print(f"study: {study.title}")
    print(f"cores: {len(os.sched_getaffinity(0))}, load average before: "
          f"{' '.join(f'{x:.2f}' for x in os.getloadavg())}")
    alone, together, ceiling = machine_ceiling(study, max(arguments.workers))
    print(f"machine ceiling: one variant alone {alone:.2f} s, {max(arguments.workers)} at once "
          f"{together:.2f} s = {ceiling:.2f}x the throughput", flush=True)
    rates = {}
    for workers in arguments.workers:
        count, failed, seconds = measure(study, workers)
        rates[workers] = count / seconds * 60.0
        print(f"workers {workers}: {count} variants ({failed} failed) in {seconds:.1f} s = "
              f"{rates[workers]:.2f} variants/min", flush=True)
    print(f"load average after: {' '.join(f'{x:.2f}' for x in os.getloadavg())}")
    base = arguments.workers[0]
    for workers in arguments.workers[1:]:
        speed_up = rates[workers] / rates[base]
        print(f"speed-up {workers} vs {base} workers: {speed_up:.2f}x "
              f"({100 * speed_up / ceiling:.0f} % of the machine ceiling)")


if __name__ == "__main__":
    main()
