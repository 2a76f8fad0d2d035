"""ctypes declarations of the host library's C interface (host/include/tamo1dhost.h)."""

import ctypes
import os

from . import library

OK, STOPPED, BAD_INPUT, CANCELLED = 0, 1, 2, 3
SERIES, PROFILES = 0, 1

PROGRESS = ctypes.CFUNCTYPE(ctypes.c_int32, ctypes.c_double, ctypes.c_double, ctypes.c_void_p)

_RUN = ctypes.c_void_p
_TEXT = ctypes.c_char_p
_I32 = ctypes.c_int32
_DOUBLE = ctypes.c_double
_SIGNATURES = {
    "tamoHostVersion": (_TEXT, []),
    "tamoHostOpenFile": (_I32, [_TEXT, _TEXT, ctypes.POINTER(_RUN)]),
    "tamoHostOpenText": (_I32, [_TEXT, _TEXT, _TEXT, _TEXT, ctypes.POINTER(_RUN)]),
    "tamoHostMessage": (_TEXT, [_RUN]),
    "tamoHostWarningCount": (_I32, [_RUN]),
    "tamoHostWarning": (_TEXT, [_RUN, _I32]),
    "tamoHostTitle": (_TEXT, [_RUN]),
    "tamoHostDuration": (_DOUBLE, [_RUN]),
    "tamoHostSimulated": (_DOUBLE, [_RUN]),
    "tamoHostCellCount": (_I32, [_RUN]),
    "tamoHostCheckOutputs": (_I32, [_RUN, _TEXT]),
    "tamoHostAdvance": (_I32, [_RUN, _DOUBLE, PROGRESS, ctypes.c_void_p]),
    "tamoHostFinished": (_I32, [_RUN]),
    "tamoHostColumnCount": (_I32, [_RUN, _I32]),
    "tamoHostColumnName": (_TEXT, [_RUN, _I32, _I32]),
    "tamoHostColumnUnit": (_TEXT, [_RUN, _I32, _I32]),
    "tamoHostRowCount": (_I32, [_RUN, _I32]),
    "tamoHostGetColumn": (_I32, [_RUN, _I32, _TEXT, ctypes.POINTER(_DOUBLE), _I32,
                                 ctypes.POINTER(_I32)]),
    "tamoHostSummaryCount": (_I32, [_RUN]),
    "tamoHostSummaryItem": (_I32, [_RUN, _I32, ctypes.POINTER(_TEXT), ctypes.POINTER(_DOUBLE),
                                   ctypes.POINTER(_TEXT), ctypes.POINTER(_DOUBLE),
                                   ctypes.POINTER(_TEXT)]),
    "tamoHostSummaryText": (_TEXT, [_RUN]),
    "tamoHostWriteOutputs": (_I32, [_RUN, _TEXT]),
    "tamoHostWrittenCount": (_I32, [_RUN]),
    "tamoHostWritten": (_TEXT, [_RUN, _I32]),
    "tamoHostListMaterials": (_I32, [_TEXT, ctypes.c_char_p, _I32, ctypes.POINTER(_I32)]),
    "tamoHostClose": (None, [_RUN]),
}

_host = None


def load():
    """The host library with every function's signature declared."""
    global _host
    if _host is None:
        lib = library.load_host()
        for name, (result, arguments) in _SIGNATURES.items():
            function = getattr(lib, name)
            function.restype = result
            function.argtypes = arguments
        _host = lib
    return _host


def text(value):
    """bytes from the library -> str ("" for NULL)."""
    return value.decode("utf-8") if value else ""


def encode(value):
    """str -> bytes for the library (None stays None)."""
    return None if value is None else os.fspath(value).encode("utf-8")
