"""Where the variant tasks run: in this process one after another, or on Dask distributed
(a local cluster of single-threaded worker processes, or an existing cluster by its
scheduler address). Both hand each finished row to on_row as soon as it arrives."""

import logging
import os

from .task import run_variant


def run_in_process(tasks, on_row, runner=None):
    """tasks: [(key, case, collect, base_dir, catalogue)]."""
    for task in tasks:
        on_row(run_variant(*task, runner=runner))


def default_worker_count():
    return len(os.sched_getaffinity(0)) if hasattr(os, "sched_getaffinity") else os.cpu_count()


def run_on_dask(tasks, on_row, scheduler=None, workers=None, runner=None):
    """Submits every task at once; the scheduler gives each worker one at a time (one
    thread per worker). A task whose worker dies (the cluster gives up after its retries)
    becomes a failed row with Dask's message."""
    from distributed import Client, LocalCluster, as_completed

    cluster = None
    if scheduler:
        client = Client(scheduler)
    else:
        cluster = LocalCluster(n_workers=workers or default_worker_count(), threads_per_worker=1,
                               processes=True, dashboard_address=None,
                               silence_logs=logging.ERROR)
        client = Client(cluster)
    try:
        futures = {}
        for task in tasks:
            future = client.submit(run_variant, *task, runner=runner, pure=False)
            futures[future] = task[0]
        for future in as_completed(futures):
            if future.status == "finished":
                on_row(future.result())
            else:
                on_row({"status": "failed", "error": f"the task failed: {future.exception()}",
                        "variant": futures[future], "seconds": float("nan"), "worker": ""})
    finally:
        client.close()
        if cluster is not None:
            cluster.close()
