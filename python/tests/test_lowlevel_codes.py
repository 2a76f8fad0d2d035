"""Result codes of refused calls, turned into TamoError, and the handle table."""

import ctypes

import numpy as np
import pytest

from conftest import define_grid
from tamo1d import TamoError, lowlevel


def refused(code, call, *args, **kwargs):
    with pytest.raises(TamoError) as caught:
        call(*args, **kwargs)
    assert caught.value.code == code, caught.value
    assert caught.value.name == lowlevel.result_name(code)
    return caught.value


def test_result_names_and_error_attributes():
    names = {0: "TAMO_OK", -1: "TAMO_INVALID_HANDLE", -2: "TAMO_BAD_MATERIAL",
             -3: "TAMO_BAD_FUNCTION_KIND", -6: "TAMO_BAD_MATERIAL_COUNT", -7: "TAMO_NO_GRID",
             -8: "TAMO_BAD_SOURCE_KIND", -9: "TAMO_BAD_SOURCE_NUMBER", -10: "TAMO_BAD_FLAG",
             -11: "TAMO_NO_MEMORY", -12: "TAMO_BAD_TABLE_LENGTH", -13: "TAMO_ALREADY_SET",
             -20: "TAMO_DIVERGED", -21: "TAMO_NULL_ARRAY", -22: "TAMO_BAD_ARGUMENT"}
    for code, name in names.items():
        assert lowlevel.result_name(code) == name
    for unused in (-4, -5, -14, 1, 12345):
        assert lowlevel.result_name(unused) == "TAMO_UNKNOWN"
    error = refused(-1, lowlevel.delete_context, 0)
    assert error.operation == "tamoDeleteContext"
    assert "invalid handle" in str(error) and "TAMO_INVALID_HANDLE" in str(error)
    assert lowlevel.version().count(".") == 2


def test_handles_are_reused_lowest_first():
    a, b, c = (lowlevel.create_context() for _ in range(3))
    try:
        assert len({a, b, c}) == 3 and min(a, b, c) >= 1
        lowlevel.delete_context(b)
        refused(-1, lowlevel.delete_context, b)           # already deleted
        refused(-1, lowlevel.get_grid, b, 1)
        assert lowlevel.create_context() == b              # the freed slot comes back
        for invalid in (0, -5):
            refused(-1, lowlevel.set_material, invalid, 1, 1.0, 0.1, 1.0)
    finally:
        for handle in (a, b, c):
            lowlevel.delete_context(handle)


def test_lifecycle_order(context):
    refused(-7, lowlevel.get_grid, context, 1)
    refused(-7, lowlevel.set_parameter, context, 1, 1, 1, 0, 0, 0, 1, 1)
    refused(-2, lowlevel.set_material, context, 1, 1000.0, 0.3, 900.0)
    refused(-7, lowlevel.set_source, context, 1, 0, 0, 0, 0.0, 0.01, np.zeros(1))
    define_grid(context, [0.0, 0.01, 0.03, 0.06], [9, 2, 1, 2])
    refused(-13, define_grid, context, [0.0, 0.5], [0, 1])
    assert list(lowlevel.get_grid(context, 4)) == [0.0, 0.01, 0.03, 0.06]  # the first grid
    lowlevel.set_parameter1(context, 1, 1, 1, 0, 0, 0, 1, 0, 1)
    refused(-13, lowlevel.set_parameter, context, 1, 1, 1, 0, 0, 0, 1, 1)
    refused(-13, lowlevel.set_parameter1, context, 1, 1, 1, 0, 0, 0, 1, 0, 1)
    surface = (101325.0, 17.0, 0.0, 0.6, 0.9, 0.7, 5.0, 0, 8.0, 0.0, 0.0, 0.9, 0.0, 0.0, 0)
    lowlevel.set_surface_condition(context, *surface)
    refused(-13, lowlevel.set_surface_condition, context, *surface)


def test_material_and_function_codes(context):
    define_grid(context, [0.0, 0.01, 0.03, 0.06], [9, 2, 1, 3])   # M = 3; entry 1 ignored
    for material in (0, 4):
        refused(-2, lowlevel.set_material, context, material, 1000.0, 0.3, 900.0)
    lowlevel.set_material(context, 3, 1000.0, 0.3, 900.0)
    two = np.array([0.5, 0.8])
    one = np.array([0.5])
    refused(-2, lowlevel.set_material_function, context, 4, 1, 0, two, two)
    refused(-12, lowlevel.set_material_function, context, 1, 1, 0, two, two, n=-1)
    refused(-3, lowlevel.set_material_function, context, 1, 8, 0, two, two)
    refused(-3, lowlevel.set_material_function, context, 1, 0, 0, two, two)
    refused(-12, lowlevel.set_material_function, context, 1, 1, 0, one, one)
    refused(-12, lowlevel.set_material_function, context, 1, 7, 0, one, one)
    refused(-12, lowlevel.set_material_function, context, 1, 4, 1, None, None, n=0)
    refused(-10, lowlevel.set_material_function, context, 1, 6, 1, two, two)
    refused(-10, lowlevel.set_material_function, context, 1, 7, 1, two, two)
    refused(-10, lowlevel.set_material_function, context, 1, 3, 2, two, two)
    refused(-12, lowlevel.sorinv, context, 1, 10.0)          # no storage function yet
    refused(-3, lowlevel.calent, context, 1, 20.0)           # no enthalpy table
    refused(-2, lowlevel.soriso, context, 4, 0.5)
    refused(-2, lowlevel.caldw, context, 0, 1.0, True)
    refused(-2, lowlevel.calmu, context, 4, 0.5)
    refused(-2, lowlevel.callam, context, 4, 0.0, 10.0)
    state = np.full(5, 0.5)
    refused(-6, lowlevel.get_intermediate, context, state, state, 0)
    refused(-6, lowlevel.get_intermediate, context, state, state, 4)


def test_source_and_step_codes(context):
    define_grid(context, [0.0, 0.01, 0.03, 0.06], [0, 1, 1, 1])
    lowlevel.set_parameter(context, 1, 1, 1, 0, 0, 0, 1, 1)
    value = np.array([10.0, 0.0, 0.0])
    refused(-9, lowlevel.set_source, context, 0, 0, 0, 0, 0.0, 0.01, value)
    refused(-8, lowlevel.set_source, context, 1, 3, 0, 0, 0.0, 0.01, value)
    refused(-8, lowlevel.set_source, context, 1, -1, 0, 0, 0.0, 0.01, value)
    lowlevel.set_source(context, 2, 0, 0, 0, 0.0, 0.01, value)      # creates 1 (inactive), 2
    refused(-13, lowlevel.set_source, context, 2, 0, 0, 0, 0.0, 0.01, value)
    lowlevel.update_source(context, 1, value)                       # inactive: accepted
    refused(-9, lowlevel.update_source, context, 3, value)
    t, phi, w = np.full(5, 20.0), np.full(5, 0.5), np.zeros(5)
    refused(-9, lowlevel.get_source_quantity, context, 3, t, phi)
    refused(-22, lowlevel.step, context, 0.0, t, phi, w)
    refused(-22, lowlevel.step, context, float("nan"), t, phi, w)


def test_null_arrays_reach_the_library_as_codes(context):
    raw = lowlevel.lib()
    assert raw.tamoGetGrid(context, 1, None) == -7            # the grid test comes first
    positions = np.array([0.0, 0.1])
    p = positions.ctypes.data_as(ctypes.POINTER(ctypes.c_double))
    assert raw.tamoSetGrid(context, 2, None, 0.0, None) == -21
    assert raw.tamoSetGrid(context, 0, p, 0.0, None) == -22
    assert raw.tamoSetGrid(context, 2, p, 0.0, None) == -21
    define_grid(context, [0.0, 0.1], [0, 1])
    assert raw.tamoGetGrid(context, 1, None) == -21
    assert raw.tamoGetGrid(context, 0, None) == 0
    assert raw.tamoSoriso(context, 1, 0.5, None, None) == -21
    assert raw.tamoGetSurfaceCoeff(context, None, None, None, None) == -21
    buffer = [ctypes.c_double() for _ in range(4)]
    assert raw.tamoGetSurfaceCoeff(context, *[ctypes.byref(b) for b in buffer]) == -22
    assert raw.tamoDeleteContext(-5) == -1


def test_arrays_are_checked_before_the_call_and_filled_in_place(context):
    define_grid(context, [0.0, 0.01, 0.03, 0.06], [0, 1, 1, 1])
    with pytest.raises(TypeError):
        lowlevel.get_grid(context, 5, out=np.zeros(5, dtype=np.float32))
    with pytest.raises(TypeError):
        lowlevel.get_grid(context, 2, out=[0.0, 0.0])
    with pytest.raises(ValueError):
        lowlevel.get_grid(context, 5, out=np.zeros(4))    # library would write 5 entries
    with pytest.raises(ValueError):
        lowlevel.get_grid(context, 3, out=np.zeros(10)[::2])   # not contiguous
    read_only = np.zeros(5)
    read_only.flags.writeable = False
    with pytest.raises(ValueError):
        lowlevel.get_grid(context, 5, out=read_only)
    with pytest.raises(TypeError):
        lowlevel.set_grid(context, np.zeros(2), 0.0, np.zeros(2, dtype=np.int64))
    short = np.full(4, 20.0)                              # n = 5 nodes
    with pytest.raises(ValueError):
        lowlevel.step(context, 3600.0, short, np.full(5, 0.5), np.zeros(5))
    out = np.full(7, -1.0)
    assert lowlevel.get_grid(context, 5, out=out) is out
    assert list(out) == [0.0, 0.01, 0.03, 0.06, 0.06, -1.0, -1.0]   # N+1 repeats N
    sentinel = np.full(3, 7.0)
    lowlevel.get_grid(context, 0, out=sentinel)
    assert list(sentinel) == [7.0, 7.0, 7.0]
