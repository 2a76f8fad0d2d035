"""Shared fixtures: the package from this source tree, a fresh library context per test."""

import os
import sys

import numpy as np
import pytest

PYTHON_DIR = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DATA_DIR = os.path.join(PYTHON_DIR, "tests", "data")
if PYTHON_DIR not in sys.path:
    sys.path.insert(0, PYTHON_DIR)

from tamo1d import lowlevel  # noqa: E402


@pytest.fixture
def context():
    """A new context, deleted after the test."""
    handle = lowlevel.create_context()
    yield handle
    try:
        lowlevel.delete_context(handle)
    except lowlevel.TamoError:
        pass


def define_grid(handle, positions, materials, radius=0.0):
    lowlevel.set_grid(handle, np.array(positions, dtype=np.float64), radius,
                      np.array(materials, dtype=np.int32))


@pytest.fixture
def case_path():
    return os.path.join(DATA_DIR, "wall_case.json")
