"""The output folder of a study: results written as they arrive, read back on a rerun.

  rows.jsonl    one JSON line per finished variant, appended and flushed at once, so an
                interrupted study keeps every row it finished (a torn last line is ignored)
  results.csv   the table in variant order, rewritten from the rows at the end
  study.json    the study's fingerprint: a rerun with another base case, fixed changes,
                parameters or collected results is refused instead of mixing tables
"""

import hashlib
import json
import os

from .errors import StudyError

ROWS, TABLE, STATE = "rows.jsonl", "results.csv", "study.json"


def fingerprint(study):
    """Hash of what decides a variant's results apart from its values."""
    text = json.dumps({
        "base_case": study.base_case, "base_dir": study.base_dir, "set": study.changes,
        "catalogue": study.catalogue,
        "parameters": [[p.path, p.name, p.mode, p.labels] for p in study.parameters],
        "collect": [study.collect.series, study.collect.summary],
    }, sort_keys=True)
    return hashlib.sha1(text.encode("utf-8")).hexdigest()


class ResultStore:
    def __init__(self, directory, study):
        self.directory = directory
        os.makedirs(directory, exist_ok=True)
        state_path = os.path.join(directory, STATE)
        state = {"title": study.title, "fingerprint": fingerprint(study)}
        if os.path.exists(state_path):
            with open(state_path, encoding="utf-8") as stream:
                previous = json.load(stream)
            if previous.get("fingerprint") != state["fingerprint"]:
                raise StudyError(directory, "holds the results of a different study (base "
                                 "case, changes, parameters or collected results differ); "
                                 "use another output folder")
        else:
            with open(state_path, "w", encoding="utf-8") as stream:
                json.dump(state, stream, indent=1)
        self.rows_path = os.path.join(directory, ROWS)

    def finished_rows(self):
        """{variant key: row} of the rows written so far (the last row of a key counts: a
        failed variant run again)."""
        rows = {}
        if os.path.exists(self.rows_path):
            with open(self.rows_path, encoding="utf-8") as stream:
                for line in stream:
                    try:
                        row = json.loads(line)
                    except json.JSONDecodeError:
                        continue  # the line being written when the study was stopped
                    rows[row["variant"]] = row
        return rows

    def append(self, row):
        with open(self.rows_path, "a", encoding="utf-8") as stream:
            stream.write(json.dumps(row) + "\n")
            stream.flush()
            os.fsync(stream.fileno())

    def write_table(self, table):
        path = os.path.join(self.directory, TABLE)
        temporary = path + ".tmp"
        table.to_csv(temporary, index=False)
        os.replace(temporary, path)
        return path
