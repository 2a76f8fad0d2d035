"""Handle-free routines: the spline under tension reproduces its points and straight lines,
derivative estimates are exact on lines, the interface checks and the prototypes."""

import os
import re

import numpy as np
import pytest

from tamo1d import lowlevel


def built(x, y, tension, ends=(0.0, 0.0)):
    b = np.zeros(x.size)
    b[0], b[-1] = ends
    c, d = np.zeros(x.size - 1), np.zeros(x.size - 1)
    return lowlevel.sbuild(x, y, tension, b, c, d, 1e-12), b, c, d


def test_spline_through_its_points_exact_on_lines_and_refusing_outside():
    x = np.array([0.0, 1.0, 2.5, 3.0, 5.0])
    y = np.array([1.0, 3.0, 2.0, 2.5, 0.0])
    tension = np.full(4, 2.0)
    ierr, b, c, d = built(x, y, tension)
    assert ierr == 0
    for xi, yi in zip(x, y):
        assert lowlevel.sval(x, tension, y, b, c, d, xi) == (pytest.approx(yi, abs=1e-13), 0)
    for outside in (-1e-9, 5.0 + 1e-9, float("nan")):
        assert lowlevel.sval(x, tension, y, b, c, d, outside) == (0.0, 3)
    x = np.linspace(0.0, 4.0, 6)
    for t in (1e-6, 0.05, 1.0, 30.0):                  # series and library branches
        tension = np.full(5, t)
        _, b, c, d = built(x, 3.0 * x - 1.0, tension, ends=(3.0, 3.0))
        for probe in (0.1, 1.3, 3.99):
            value, slope, err = lowlevel.svald(x, tension, 3.0 * x - 1.0, b, c, d, probe)
            assert err == 0 and value == pytest.approx(3.0 * probe - 1.0, rel=1e-10)
            assert slope == pytest.approx(3.0, rel=1e-8)


def test_derivative_estimates_interface_checks_and_flags():
    x = 1.0 + 0.5 * np.arange(6)
    line, ierr = lowlevel.grad2b(x, 2.0 - 0.5 * x, 1e-12)
    assert ierr == 0 and np.allclose(line, -0.5, rtol=1e-13)
    assert lowlevel.grad2r(x[:2], x[:2], 1e-12)[1] == 1
    o1, o2, o3, ierr = lowlevel.interface_check(np.array([1.0, -2.5]), np.array([2.0, 4.0]),
                                                np.array([0.5, 0.25]), 7.5)
    assert ierr == 0 and list(o1) == [2.0, -5.0] and list(o2) == [1.0, 1.0] and list(o3) == [7.5] * 2
    assert lowlevel.check_bool(1) == (-2, 0, -1, 0)
    assert lowlevel.check_bool(2) == (-3, 1, -1, 0)    # only the lowest bit counts


def test_prototypes_match_the_public_header():
    header = os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(
        os.path.abspath(__file__)))), "include", "tamo1dkernel.h")
    if not os.path.isfile(header):
        pytest.skip("public header not found next to the package")
    with open(header, encoding="utf-8") as stream:
        declared = re.findall(r"TAMO_API\s+[^;(]*?TAMO_CALL\s+(\w+)\s*\(([^)]*)\)", stream.read())
    assert {name for name, _ in declared} == set(lowlevel.PROTOTYPES)
    library = lowlevel.lib()
    for name, arguments in declared:
        count = 0 if arguments.strip() in ("void", "") else arguments.count(",") + 1
        restype, argtypes = lowlevel.PROTOTYPES[name]
        assert len(argtypes) == count, name
        assert getattr(library, name).argtypes == argtypes
