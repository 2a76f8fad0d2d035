"""The distribution of each result over the variants that ran (min, percentiles, max) and,
for each verdict, the share of variants that fail."""

import numpy as np
import pandas as pd

PERCENTILES = (5, 25, 50, 75, 95)


def is_failing(verdict):
    """A verdict text that judges a variant as failing ("fail", "failed", "FAIL: ...")."""
    return isinstance(verdict, str) and verdict.strip().lower().startswith("fail")


def summarise(table, results):
    """DataFrame, one row per result column: count, min, p5 ... p95, max for numbers;
    count and failing_share for verdict columns (`*.verdict`)."""
    ok = table[table["status"] == "ok"]
    records = []
    for column in results:
        values = ok[column].dropna()
        record = {"result": column, "count": len(values)}
        if column.endswith(".verdict"):
            record["failing_share"] = float(np.mean([is_failing(v) for v in values])) \
                if len(values) else np.nan
        else:
            numbers = pd.to_numeric(values, errors="coerce").dropna().to_numpy(float)
            if numbers.size:
                record["min"] = numbers.min()
                for p, value in zip(PERCENTILES, np.percentile(numbers, PERCENTILES)):
                    record[f"p{p}"] = value
                record["max"] = numbers.max()
        records.append(record)
    columns = ["result", "count", "min", *(f"p{p}" for p in PERCENTILES), "max",
               "failing_share"]
    return pd.DataFrame.from_records(records, columns=columns)


def format_summary(table, summary):
    """Text for the terminal: variant counts and the summary table."""
    failed = int((table["status"] == "failed").sum())
    lines = [f"{len(table)} variants, {len(table) - failed} ran, {failed} failed"]
    if len(summary):
        lines.append(summary.to_string(index=False, float_format=lambda x: f"{x:.4g}",
                                       na_rep=""))
    return "\n".join(lines)
