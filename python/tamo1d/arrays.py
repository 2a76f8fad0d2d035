"""Checks numpy arrays before their memory is handed to the library.

The library reads or writes a stated number of entries through a raw pointer, so every
array must be a one-dimensional, C-contiguous numpy array of exactly the element type the
C function takes (float64 for double*, int32 for int32_t*) and hold at least that many
entries. Nothing is copied: output arrays are filled in place.
"""

import ctypes

import numpy as np

DOUBLE_POINTER = ctypes.POINTER(ctypes.c_double)
INT32_POINTER = ctypes.POINTER(ctypes.c_int32)


def _check(array, name, dtype, length, writable):
    if not isinstance(array, np.ndarray):
        raise TypeError(f"{name}: expected a numpy array of {np.dtype(dtype).name}, "
                        f"got {type(array).__name__}")
    if array.dtype != np.dtype(dtype):
        raise TypeError(f"{name}: dtype {array.dtype} given, {np.dtype(dtype).name} required")
    if array.ndim != 1:
        raise ValueError(f"{name}: a one-dimensional array is required, got {array.ndim} "
                         "dimensions")
    if not array.flags.c_contiguous:
        raise ValueError(f"{name}: the array must be contiguous")
    if writable and not array.flags.writeable:
        raise ValueError(f"{name}: the array is read-only but the library writes into it")
    if array.size < length:
        raise ValueError(f"{name}: {array.size} entries given, the library uses {length}")


def doubles(array, name, length, writable=False):
    """Pointer to a checked float64 array (length = entries the library uses)."""
    _check(array, name, np.float64, length, writable)
    return array.ctypes.data_as(DOUBLE_POINTER)


def int32s(array, name, length, writable=False):
    """Pointer to a checked int32 array."""
    _check(array, name, np.int32, length, writable)
    return array.ctypes.data_as(INT32_POINTER)


def output(array, name, length):
    """An output float64 array: a new zeroed one when array is None, else the checked one."""
    if array is None:
        array = np.zeros(max(int(length), 1), dtype=np.float64)
    doubles(array, name, length, writable=True)
    return array
