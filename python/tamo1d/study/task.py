"""One variant as one task: run the case through the host core in this process and reduce
its results. Only the case dict and the list of results to collect come in; only the flat
row of results goes back, so a task is as cheap to send to another machine as to another process."""

import os
import socket
import time

from .host_runner import run_case_results


def run_variant(key, case, collect, base_dir=None, catalogue=None, runner=None):
    """The result row of one variant: {"variant": key, "status": "ok" | "failed", "error":
    message or "", results...}. A case the host refuses or a run that stops gives a failed
    row with the host's message; nothing is raised. runner (for tests): a function with the
    signature of run_case_results."""
    runner = runner or run_case_results
    started = time.monotonic()
    try:
        wanted = collect.series_names(len(case.get("layers", [])))
        series, summary = runner(case, base_dir, catalogue, list(wanted))
        row = {"status": "ok", "error": ""}
        row.update(collect.reduce(wanted, series, summary))
    except Exception as error:  # noqa: BLE001 - every failure of one variant becomes its row
        row = {"status": "failed", "error": str(error) or type(error).__name__}
    row["variant"] = key
    row["seconds"] = time.monotonic() - started
    row["worker"] = f"{socket.gethostname()}:{os.getpid()}"
    return row
