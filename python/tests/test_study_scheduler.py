"""The scheduler-address path: a dask-scheduler and two dask-worker processes on the loopback
address run the small study through `python3 -m tamo1d study --scheduler`."""

import json
import os
import subprocess
import sys
import time

import pandas as pd
import pytest

from conftest import DATA_DIR, PYTHON_DIR
from tamo1d import study

SMALL = os.path.join(DATA_DIR, "small_study.json")
DASK_BIN = os.path.dirname(os.path.realpath(sys.executable))


@pytest.fixture
def loopback_cluster(tmp_path):
    """Address of a scheduler with two single-threaded workers; stopped after the test."""
    environment = dict(os.environ, PYTHONPATH=PYTHON_DIR)
    scheduler_file = tmp_path / "scheduler.json"
    log = open(tmp_path / "cluster.log", "w")
    start = lambda arguments: subprocess.Popen(  # noqa: E731
        arguments, stdout=log, stderr=subprocess.STDOUT, env=environment)
    processes = [start([os.path.join(DASK_BIN, "dask-scheduler"), "--host", "127.0.0.1",
                         "--port", "0", "--no-dashboard", "--scheduler-file",
                         str(scheduler_file)])]
    try:
        for _ in range(2):
            processes.append(start([os.path.join(DASK_BIN, "dask-worker"), "--nthreads", "1",
                                     "--no-dashboard", "--host", "127.0.0.1",
                                     "--scheduler-file", str(scheduler_file)]))
        from distributed import Client
        deadline = time.monotonic() + 60
        while not scheduler_file.exists() and time.monotonic() < deadline:
            time.sleep(0.2)
        address = json.loads(scheduler_file.read_text())["address"]
        with Client(address, timeout=30) as client:
            client.wait_for_workers(2, timeout=60)
        yield address, processes[1:]
    finally:
        for process in reversed(processes):
            process.terminate()
        for process in processes:
            try:
                process.wait(timeout=20)
            except subprocess.TimeoutExpired:
                process.kill()
        log.close()


def test_study_on_a_scheduler_with_two_workers(loopback_cluster, tmp_path):
    address, workers = loopback_cluster
    out = tmp_path / "out"
    command = [sys.executable, "-m", "tamo1d", "study", SMALL, "--out", str(out), "--scheduler",
               address, "--no-plots", "--no-progress"]
    finished = subprocess.run(command, cwd=PYTHON_DIR, capture_output=True, text=True,
                              timeout=300)
    assert finished.returncode == 1, finished.stderr  # the study holds two refused variants
    assert "6 variants, 4 ran, 2 failed" in finished.stdout
    rows = [json.loads(line) for line in open(out / "rows.jsonl")]
    sequential = study.run(SMALL, workers=0, progress=False)
    assert {row["variant"] for row in rows} == set(sequential["variant"])
    # Every variant ran in a worker process that a dask-worker started.
    children = set()
    for worker in workers:
        listed = subprocess.run(["ps", "-o", "pid=", "--ppid", str(worker.pid)],
                                capture_output=True, text=True).stdout
        children.update(int(pid) for pid in listed.split())
    ran = {int(row["worker"].rsplit(":", 1)[1]) for row in rows if row["status"] == "ok"}
    assert ran and ran <= children
    sequential.to_csv(tmp_path / "sequential.csv", index=False)
    written, expected = (pd.read_csv(path, keep_default_na=False, na_values=[""])
                         for path in (out / "results.csv", tmp_path / "sequential.csv"))
    pd.testing.assert_frame_equal(written, expected, check_exact=True)
