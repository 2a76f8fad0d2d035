"""Handle-free routines: spline under tension, derivative estimates, tension selection,
interface checks."""

import numpy as np
import pytest

from tamo1d import lowlevel


def built(x, y, tension, end_derivatives=(0.0, 0.0), eps=1e-12):
    n = x.size
    b = np.zeros(n)
    b[0], b[-1] = end_derivatives
    c, d = np.zeros(n - 1), np.zeros(n - 1)
    ierr = lowlevel.sbuild(x, y, tension, b, c, d, eps)
    return ierr, b, c, d


def test_spline_passes_through_its_points_and_refuses_outside():
    x = np.array([0.0, 1.0, 2.5, 3.0, 5.0])
    y = np.array([1.0, 3.0, 2.0, 2.5, 0.0])
    tension = np.full(4, 2.0)
    ierr, b, c, d = built(x, y, tension)
    assert ierr == 0
    assert list(b[:-1]) == list(y[1:])                 # right-end values of the intervals
    for xi, yi in zip(x, y):
        value, err = lowlevel.sval(x, tension, y, b, c, d, xi)
        assert err == 0 and value == pytest.approx(yi, abs=1e-13)
    for outside in (-1e-9, 5.0 + 1e-9, float("nan")):
        assert lowlevel.sval(x, tension, y, b, c, d, outside) == (0.0, 3)
    value, derivative, err = lowlevel.svald(x, tension, y, b, c, d, 5.0)
    assert err == 0 and derivative == pytest.approx(0.0, abs=1e-12)  # end derivative given
    assert lowlevel.svald(x, tension, y, b, c, d, 6.0)[1:] == (None, 3)
    # Too few points: nothing written.
    one = np.array([1.0])
    b1, c1, d1 = np.full(1, 9.0), np.zeros(0), np.zeros(0)
    assert lowlevel.sbuild(one, one, np.zeros(0), b1, c1, d1, 1e-12) == 1 and b1[0] == 9.0


def test_spline_of_a_straight_line_is_the_line():
    x = np.linspace(0.0, 4.0, 6)
    y = 3.0 * x - 1.0
    for t in (1e-6, 0.05, 1.0, 30.0):                  # series and library branches
        tension = np.full(5, t)
        ierr, b, c, d = built(x, y, tension, end_derivatives=(3.0, 3.0))
        assert ierr == 0
        for probe in (0.1, 1.3, 2.0, 3.99):
            value, derivative, err = lowlevel.svald(x, tension, y, b, c, d, probe)
            assert value == pytest.approx(3.0 * probe - 1.0, rel=1e-10, abs=1e-10)
            assert derivative == pytest.approx(3.0, rel=1e-8)


def test_derivative_estimates_by_hand():
    h = 0.5
    x = 1.0 + h * np.arange(6)
    s, ierr = lowlevel.grad2r(x, x ** 2, 1e-12)
    assert ierr == 0
    assert np.allclose(s[1:-1], 2.0 * x[1:-1] - h * h / (2.0 * x[1:-1]), rtol=1e-13)
    line, ierr = lowlevel.grad2b(x, 2.0 - 0.5 * x, 1e-12)
    assert ierr == 0 and np.allclose(line, -0.5, rtol=1e-13)
    flat = np.array([1.0, 1.0, 2.0, 3.0, 3.0, 3.0])
    s, _ = lowlevel.grad2b(x, flat, 1e-9)
    assert s[0] == 0.0 and s[1] == 0.0 and s[4] == 0.0 and s[2] == pytest.approx(2.0)
    assert lowlevel.grad2r(x[:2], x[:2], 1e-12)[1] == 1


def test_tension_selection():
    x = np.array([0.0, 1.0])
    t = np.array([20.0, 0.0])
    lowlevel.expjp(x, x, t, 1e-9)
    assert list(t) == [10.0, 20.0]                     # max(8, t0 / 2), then t0
    x = np.linspace(0.0, 3.0, 5)
    t = np.zeros(5)
    t[0], t[-2], t[-1] = 0.0, 2.0, 2.0                 # start tension, end derivatives
    assert lowlevel.expjp2(x, 2.0 * x, t, 50.0, 0.0) == 0
    assert np.all(t == 0.1)                            # the line keeps its shape at once
    assert lowlevel.expjp2(x[:2], x[:2], np.zeros(2), 50.0, 0.0) == 1


def test_interface_checks():
    a = np.array([1.0, -2.5, 3.0])
    b = np.array([2.0, 4.0, -1.0])
    c = np.array([0.5, 0.25, 3.0])
    o1, o2, o3, ierr = lowlevel.interface_check(a, b, c, 7.5)
    assert ierr == 0
    assert list(o1) == [2.0, -5.0, 6.0] and list(o2) == [1.0, 1.0, -3.0]
    assert list(o3) == [7.5] * 3
    assert lowlevel.check_bool(1) == (-2, 0, -1, 0)
    assert lowlevel.check_bool(0) == (-1, 1, -1, 0)
    assert lowlevel.check_bool(-1) == (0, 0, -1, 0)
    assert lowlevel.check_bool(2) == (-3, 1, -1, 0)    # only the lowest bit counts


def test_every_exported_function_has_a_prototype():
    library = lowlevel.lib()
    assert len(lowlevel.PROTOTYPES) == 37
    for name, (restype, argtypes) in lowlevel.PROTOTYPES.items():
        function = getattr(library, name)
        assert function.argtypes == argtypes and function.restype == restype


def test_prototypes_match_the_public_header():
    import os
    import re
    header = os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(
        os.path.abspath(__file__)))), "include", "tamo1dkernel.h")
    if not os.path.isfile(header):
        pytest.skip("public header not found next to the package")
    with open(header, encoding="utf-8") as stream:
        text = stream.read()
    declared = re.findall(r"TAMO_API\s+[^;(]*?TAMO_CALL\s+(\w+)\s*\(([^)]*)\)", text)
    assert {name for name, _ in declared} == set(lowlevel.PROTOTYPES)
    for name, arguments in declared:
        count = 0 if arguments.strip() in ("void", "") else arguments.count(",") + 1
        assert len(lowlevel.PROTOTYPES[name][1]) == count, name
