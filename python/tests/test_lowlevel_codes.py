"""Result codes of refused calls, turned into TamoError, the handle table and the array
checks of the binding."""

import ctypes

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


def test_result_names_error_attributes_and_handle_reuse():
    assert lowlevel.result_name(-4) == "TAMO_UNKNOWN"
    error = refused(-1, lowlevel.delete_context, 0)
    assert error.operation == "tamoDeleteContext" and "TAMO_INVALID_HANDLE" in str(error)
    a, b = lowlevel.create_context(), lowlevel.create_context()
    lowlevel.delete_context(b)
    refused(-1, lowlevel.get_grid, b, 1)
    assert lowlevel.create_context() == b                 # the freed slot comes back
    for handle in (a, b):
        lowlevel.delete_context(handle)


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
