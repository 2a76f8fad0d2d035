"""A whole study: variants, the rows already in the output folder, the tasks still to run,
and the table."""

import pandas as pd

from .executors import run_in_process, run_on_dask
from .progress import StudyProgress
from .store import ResultStore
from .study_file import Study, load_study, study_from_dict
from .variants import study_variants, variant_case

FIRST_COLUMNS = ("variant",)
STATUS_COLUMNS = ("status", "error")
RUN_ONLY = ("seconds", "worker")  # in rows.jsonl, not in the table: differ from run to run


def as_study(study):
    if isinstance(study, Study):
        return study
    if isinstance(study, dict):
        return study_from_dict(study)
    return load_study(study)


def run(study, out=None, scheduler=None, workers=None, progress=None, retry_failed=False,
        runner=None):
    """Runs a study and returns its table (pandas DataFrame, one row per variant).

    study: a study file path, a dict in its form, or a Study. out: the output folder (rows
    as they finish, results.csv; variants already there are not run again); None: nothing
    is written. scheduler: address of a Dask scheduler ("tcp://host:8786"); else workers:
    size of a local cluster of single-threaded worker processes (None: one per core; 0: no
    cluster, the variants run one after another in this process). progress: None draws a
    bar on a terminal. retry_failed: run the failed variants of the folder again. runner:
    replaces the host run (tests)."""
    study = as_study(study)
    variants = study_variants(study)
    store = ResultStore(out, study) if out else None
    rows = store.finished_rows() if store else {}
    wanted = {v.key for v in variants}
    rows = {k: r for k, r in rows.items()
            if k in wanted and not (retry_failed and r["status"] == "failed")}
    bar = StudyProgress(len(variants), len(rows), progress)

    def on_row(row):
        row.update(by_key[row["variant"]].values)
        rows[row["variant"]] = row
        if store:
            store.append(row)
        bar.add(row["status"] != "ok")

    by_key = {v.key: v for v in variants}
    tasks = []
    for variant in variants:
        if variant.key in rows:
            continue
        try:
            case = variant_case(study, variant)
        except (KeyError, ValueError) as error:
            on_row({"variant": variant.key, "status": "failed", "error": str(error.args[0]),
                    "seconds": 0.0, "worker": ""})
            continue
        tasks.append((variant.key, case, study.collect, study.base_dir, study.catalogue))
    bar.draw()
    try:
        if scheduler is None and workers == 0:
            run_in_process(tasks, on_row, runner)
        elif tasks:
            run_on_dask(tasks, on_row, scheduler, workers, runner)
    finally:
        bar.finish()
    table = make_table(study, variants, rows)
    if store:
        store.write_table(table)
    return table


def make_table(study, variants, rows):
    """One row per variant in study order: key, parameter values, status, error, results
    (result columns in the order they first appear)."""
    names = [p.name for p in study.parameters]
    records, result_columns = [], {}
    for variant in variants:
        row = rows.get(variant.key)
        record = {"variant": variant.key, **variant.values}
        if row is None:
            record.update(status="missing", error="")
        else:
            for column, value in row.items():
                if column not in record and column not in RUN_ONLY:
                    record[column] = value
                    if column not in STATUS_COLUMNS:
                        result_columns.setdefault(column)
        records.append(record)
    columns = [*FIRST_COLUMNS, *names, *STATUS_COLUMNS, *result_columns]
    return pd.DataFrame.from_records(records, columns=columns)


def parameter_columns(study):
    return [p.name for p in as_study(study).parameters]


def result_columns(table, study):
    """Columns of collected results (numbers and verdicts) of a study table."""
    skip = {*FIRST_COLUMNS, *STATUS_COLUMNS, *parameter_columns(study)}
    return [c for c in table.columns if c not in skip]
