"""Variants from the parameters: the full grid of every parameter's levels, random samples,
or a Latin hypercube (each parameter's probability range cut into as many equal strata as
samples, one sample in each stratum, strata paired at random between parameters; McKay,
Beckman and Conover 1979, Technometrics 21(2) 239-245). Random draws come from numpy's
PCG64 generator seeded with the study's seed, so the same seed gives the same variants."""

import itertools

import numpy as np

METHODS = ("grid", "random", "latin_hypercube")


def unit_samples(method, dimensions, count, seed):
    """Probabilities u in [0, 1), one row per sample and one column per parameter."""
    rng = np.random.default_rng(seed)
    if method == "random":
        return rng.random((count, dimensions))
    if method == "latin_hypercube":
        u = np.empty((count, dimensions))
        for column in range(dimensions):
            strata = rng.permutation(count)
            u[:, column] = (strata + rng.random(count)) / count
        return u
    raise ValueError(f'unknown sampling method "{method}"')


def sample_values(sources, method, count=None, seed=None):
    """Lists of values, one per variant, one value per source (in the sources' order)."""
    if method == "grid":
        return [list(combination)
                for combination in itertools.product(*(s.levels() for s in sources))]
    u = unit_samples(method, len(sources), count, seed)
    return [[source.at(float(p)) for source, p in zip(sources, row)] for row in u]
