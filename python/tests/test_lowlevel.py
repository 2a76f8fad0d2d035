"""The binding's own work: result codes turned into TamoError, the handle table, array
conversion and checks, prototypes against the public header, and each wrapper handing the
library's outputs back (values through the C interface are replayed bit for bit elsewhere)."""

import ctypes
import os
import re

import numpy as np
import pytest

from conftest import define_grid
from tamo1d import TamoError, lowlevel

ONE, TWO = np.array([0.5]), np.array([0.5, 0.8])
STATE = np.full(5, 0.5)
VALUE = np.array([10.0, 0.0, 0.0])


def refused(code, call, *args, **kwargs):
    with pytest.raises(TamoError) as caught:
        call(*args, **kwargs)
    assert caught.value.code == code, caught.value
    assert caught.value.name == lowlevel.result_name(code)
    return caught.value


def test_result_names_and_error_attributes():
    assert lowlevel.result_name(-4) == "TAMO_UNKNOWN"
    error = refused(-1, lowlevel.delete_context, 0)
    assert error.operation == "tamoDeleteContext" and "TAMO_INVALID_HANDLE" in str(error)


# (code, operation, arguments after the handle), in the order the calls are made: one refusal
# per wrapper (the order of the checks is the library's, tested with the C interface).
REFUSALS = [
    (-7, lowlevel.get_grid, (1,)),
    ("grid", None, ()),
    (-13, define_grid, ([0.0, 0.5], [0, 1])),
    (-2, lowlevel.set_material, (4, 1000.0, 0.3, 900.0)),
    (-12, lowlevel.set_material_function, (1, 1, 0, TWO, TWO), dict(n=-1)),
    (-3, lowlevel.set_material_function, (1, 8, 0, TWO, TWO)),
    (-12, lowlevel.sorinv, (1, 10.0)),                    # no storage function yet
    (-3, lowlevel.calent, (1, 20.0)),                     # no enthalpy table
    (-2, lowlevel.caldw, (0, 1.0, True)),
    (-6, lowlevel.get_intermediate, (STATE, STATE, 4)),
    ("source", None, ()),
    (-13, lowlevel.set_source, (2, 0, 0, 0, 0.0, 0.01, VALUE)),
    (-9, lowlevel.update_source, (3, VALUE)),
    (-9, lowlevel.get_source_quantity, (3, STATE, STATE)),
    (-22, lowlevel.step, (float("nan"), STATE, STATE, np.zeros(5))),
    (-13, lowlevel.set_parameter, (1, 1, 1, 0, 0, 0, 1, 1)),
]


def test_refused_calls_in_order(context):
    for entry in REFUSALS:
        code, call, args = entry[:3]
        if code == "grid":
            define_grid(context, [0.0, 0.01, 0.03, 0.06], [9, 2, 1, 3])
            lowlevel.set_parameter(context, 1, 1, 1, 0, 0, 0, 1, 1)
        elif code == "source":
            lowlevel.set_source(context, 2, 0, 0, 0, 0.0, 0.01, VALUE)   # 1 inactive, 2
            lowlevel.update_source(context, 1, VALUE)                    # inactive: accepted
        else:
            refused(code, call, context, *args, **(entry[3] if len(entry) > 3 else {}))
    assert list(lowlevel.get_grid(context, 4)) == [0.0, 0.01, 0.03, 0.06]   # the first grid


def test_null_arrays_and_array_checks(context):
    raw = lowlevel.lib()
    p = np.array([0.0, 0.1]).ctypes.data_as(ctypes.POINTER(ctypes.c_double))
    assert raw.tamoSetGrid(context, 2, None, 0.0, None) == -21
    assert raw.tamoSetGrid(context, 0, p, 0.0, None) == -22
    define_grid(context, [0.0, 0.01, 0.03, 0.06], [0, 1, 1, 1])
    assert raw.tamoGetGrid(context, 1, None) == -21 and raw.tamoGetGrid(context, 0, None) == 0
    assert raw.tamoGetSurfaceCoeff(context, None, None, None, None) == -21
    read_only = np.zeros(5)
    read_only.flags.writeable = False
    for wrong, error in ((np.zeros(5, dtype=np.float32), TypeError), ([0.0] * 5, TypeError),
                         (np.zeros(4), ValueError), (np.zeros(10)[::2], ValueError),
                         (read_only, ValueError)):
        with pytest.raises(error):
            lowlevel.get_grid(context, 5, out=wrong)
    with pytest.raises(ValueError):
        lowlevel.step(context, 3600.0, np.full(4, 20.0), np.full(5, 0.5), np.zeros(5))
    out = np.full(7, -1.0)
    assert lowlevel.get_grid(context, 5, out=out) is out
    assert list(out) == [0.0, 0.01, 0.03, 0.06, 0.06, -1.0, -1.0]   # N+1 repeats N


def test_prototypes_match_the_public_header():
    header = os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(
        os.path.abspath(__file__)))), "include", "tamo1dkernel.h")
    if not os.path.isfile(header):
        pytest.skip("public header not found next to the package")
    with open(header, encoding="utf-8") as stream:
        declared = re.findall(r"TAMO_API\s+[^;(]*?TAMO_CALL\s+(\w+)\s*\(([^)]*)\)", stream.read())
    assert {name for name, _ in declared} == set(lowlevel.PROTOTYPES)
    for name, arguments in declared:
        count = 0 if arguments.strip() in ("void", "") else arguments.count(",") + 1
        argtypes = lowlevel.PROTOTYPES[name][1]
        assert len(argtypes) == count and getattr(lowlevel.lib(), name).argtypes == argtypes, name


def test_material_wrappers_round_trip_and_sum_over_node_volumes(context):
    """Grid X = (0, 0.01, 0.03, 0.06), materials 1 | 1 | 2: node volumes 0.005, 0.02, 0.015 m."""
    define_grid(context, [0.0, 0.01, 0.03, 0.06], [0, 1, 1, 2])
    for m, wf in ((1, 100.0), (2, 50.0)):
        lowlevel.set_material(context, m, 1500.0, 0.3, 850.0)
        lowlevel.set_material_function(context, m, 1, 0, np.array([0.5, 1.0]),
                                       np.array([wf / 10.0, wf]))
    for phi in (0.05, 0.61, 0.99):
        w, capacity = lowlevel.soriso(context, 1, phi)
        assert capacity > 0.0 and lowlevel.sorinv(context, 1, w) == pytest.approx(phi, abs=1e-10)
    t, phi = np.array([0.0, 20.0, 20.0, -5.0, 10.0]), np.array([0.9, 0.5, 0.5, 0.0, 0.5])
    result = lowlevel.get_intermediate(context, t, phi, 2, dew_point=np.full(5, 42.0))
    assert list(result.water_content) == [0.0, 10.0, 10.0, 0.0, 0.0]
    assert result.total_water == pytest.approx(10.0 * 0.025, rel=1e-14)
    assert result.layer_water_content[0] == pytest.approx(10.0 * 0.025 / 0.03, rel=1e-14)
    assert result.dew_point[1] == pytest.approx(9.26, abs=0.05) and result.dew_point[0] == 42.0
    assert result.saturation_pressure[1] == pytest.approx(2339.0, rel=5e-3)   # 20 degC


def test_handle_free_wrappers_exact_on_lines():
    x = np.linspace(0.0, 4.0, 6)
    tension, b = np.full(5, 1.0), np.zeros(6)
    b[0] = b[-1] = 3.0
    c, d = np.zeros(5), np.zeros(5)
    assert lowlevel.sbuild(x, 3.0 * x - 1.0, tension, b, c, d, 1e-12) == 0
    for probe in (0.1, 1.3, 3.99):
        value, slope, err = lowlevel.svald(x, tension, 3.0 * x - 1.0, b, c, d, probe)
        assert err == 0 and value == pytest.approx(3.0 * probe - 1.0, rel=1e-10)
        assert slope == pytest.approx(3.0, rel=1e-8)
        assert lowlevel.sval(x, tension, 3.0 * x - 1.0, b, c, d, probe)[0] == value
    assert lowlevel.sval(x, tension, 3.0 * x - 1.0, b, c, d, 4.0 + 1e-9) == (0.0, 3)
    line, ierr = lowlevel.grad2b(x, 2.0 - 0.5 * x, 1e-12)
    assert ierr == 0 and np.allclose(line, -0.5, rtol=1e-13)
    assert lowlevel.grad2r(x[:2], x[:2], 1e-12)[1] == 1
    o1, o2, o3, ierr = lowlevel.interface_check(np.array([1.0, -2.5]), np.array([2.0, 4.0]),
                                                np.array([0.5, 0.25]), 7.5)
    assert ierr == 0 and list(o1) == [2.0, -5.0] and list(o2) == [1.0, 1.0] and list(o3) == [7.5] * 2
    assert lowlevel.check_bool(2) == (-3, 1, -1, 0)    # only the lowest bit counts


def test_step_wrappers_ignore_arguments_without_effect():
    def run(parameters):
        handle = lowlevel.create_context()
        try:
            define_grid(handle, [0.0, 0.01, 0.03], [0, 1, 1])
            lowlevel.set_parameter1(handle, *parameters)
            lowlevel.set_material(handle, 1, 1800.0, 0.31, 900.0)
            for kind, analytic, xs, ys in ((1, 1, [0.5, 1.0], [2.0, 220.0]), (2, 1, [0.1], [0.1]),
                                           (4, 1, [0.6, 4.0], [0.6, 4.0]),
                                           (6, 0, [0.0, 1.0], [12.0, 12.0])):
                lowlevel.set_material_function(handle, 1, kind, analytic, np.array(xs),
                                               np.array(ys))
            lowlevel.set_surface_condition(handle, 101325.0, 17.0, 0.0, 0.6, 0.9, 0.0, 4.5, 0,
                                           8.0, 0.0, 0.0, 0.9, 0.0, 0.0, 0)
            t, phi, w = np.full(4, 15.0), np.full(4, 0.7), np.zeros(4)
            for _ in range(3):
                lowlevel.step2(handle, CLIMATE, 3600.0, t, phi, w)
            return t, phi, w, lowlevel.get_flux(handle, t, phi)
        finally:
            lowlevel.delete_context(handle)

    reference = run((1, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0, 0))
    noisy = run((1, 1, 1, 0, 0, 12345, 1, 1, 0, -7, 99, 3))
    for a, b in zip(reference[:3], noisy[:3]):
        assert np.array_equal(a, b)
    assert reference[0][0] == -5.0 and reference[1][-1] == 0.5 and reference[0][1] != 15.0


CLIMATE = (17.0, 0.0, -5.0, 0.85, 0.0, 0.0, 0.0, 8.0, 0.0, 20.0, 0.5, 0.0, 0.0, 0.0, 101325.0)
