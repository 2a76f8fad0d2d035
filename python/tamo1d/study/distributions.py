"""What a parameter takes its values from: a list of values, or a distribution (uniform,
normal, log-normal) optionally cut to bounds. Every source maps a probability u in [0, 1)
to a value (the inverse of its cumulative distribution), so that one sampler serves all."""

import math
from statistics import NormalDist

from .errors import StudyError

_STANDARD = NormalDist()


class Values:
    """A list of values (numbers, strings such as weather files, or objects); u picks the
    entry floor(u n)."""

    def __init__(self, values):
        self.values = list(values)

    def at(self, u):
        return self.values[min(int(u * len(self.values)), len(self.values) - 1)]

    def levels(self):
        return list(self.values)


class Distribution:
    """A continuous distribution with optional bounds low/high (a normal or log-normal
    distribution cut to [low, high]). `levels` (for the full grid) are the values at the
    middle of `count` equally probable strata."""

    def __init__(self, kind, cdf, inverse, low, high, count):
        self.kind = kind
        self.cdf, self.inverse = cdf, inverse
        self.low, self.high = low, high
        self.p_low = cdf(low) if low is not None else 0.0
        self.p_high = cdf(high) if high is not None else 1.0
        self.count = count

    def at(self, u):
        p = self.p_low + u * (self.p_high - self.p_low)
        value = self.inverse(min(max(p, 1e-15), 1.0 - 1e-15))
        if self.low is not None:
            value = max(value, self.low)
        if self.high is not None:
            value = min(value, self.high)
        return value

    def levels(self):
        return [self.at((i + 0.5) / self.count) for i in range(self.count)]


def _number(entry, field, where, required=True):
    value = entry.get(field)
    if value is None and not required:
        return None
    if isinstance(value, bool) or not isinstance(value, (int, float)) or not math.isfinite(value):
        raise StudyError(where, f'"{field}" must be a finite number')
    return float(value)


def source_from_dict(entry, where):
    """Values or Distribution from a parameter entry of the study file."""
    if "values" in entry:
        values = entry["values"]
        if not isinstance(values, list) or not values:
            raise StudyError(where, '"values" must be a non-empty list')
        return Values(values)
    kind = entry.get("distribution")
    if kind is None:
        raise StudyError(where, 'give "values" or a "distribution"')
    low = _number(entry, "low", where, required=(kind == "uniform"))
    high = _number(entry, "high", where, required=(kind == "uniform"))
    if low is not None and high is not None and not low < high:
        raise StudyError(where, '"low" must be below "high"')
    count = entry.get("levels", 3)
    if isinstance(count, bool) or not isinstance(count, int) or count < 1:
        raise StudyError(where, '"levels" must be a positive whole number')
    if kind == "uniform":
        def cdf(x):
            return (x - low) / (high - low)

        def inverse(p):
            return low + p * (high - low)
    elif kind == "normal":
        normal = NormalDist(_number(entry, "mean", where), _positive(entry, "sd", where))
        cdf, inverse = normal.cdf, normal.inv_cdf
    elif kind == "lognormal":
        median, sigma = _positive(entry, "median", where), _positive(entry, "sigma", where)
        if low is not None and low <= 0.0:
            raise StudyError(where, 'a log-normal "low" must be positive')

        def cdf(x):
            return _STANDARD.cdf(math.log(x / median) / sigma) if x > 0.0 else 0.0

        def inverse(p):
            return median * math.exp(sigma * _STANDARD.inv_cdf(p))
    else:
        raise StudyError(where, f'unknown distribution "{kind}" (uniform, normal, lognormal)')
    return Distribution(kind, cdf, inverse, low, high, count)


def _positive(entry, field, where):
    value = _number(entry, field, where)
    if value <= 0.0:
        raise StudyError(where, f'"{field}" must be positive')
    return value
