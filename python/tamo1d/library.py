"""Locates and loads the shared library libtamo1dkernel.

Search order:
  1. the file named by the environment variable TAMO1DKERNEL_LIBRARY;
  2. libtamo1dkernel.so* (or .dylib / .dll) next to this package;
  3. the system library path (ldconfig cache, LD_LIBRARY_PATH).
"""

import ctypes
import ctypes.util
import glob
import os
import sys

ENVIRONMENT_VARIABLE = "TAMO1DKERNEL_LIBRARY"

_loaded = None


def _candidates_next_to_package():
    here = os.path.dirname(os.path.abspath(__file__))
    found = []
    for directory in (here, os.path.dirname(here)):
        for pattern in ("libtamo1dkernel.so", "libtamo1dkernel.so.*", "libtamo1dkernel.dylib",
                        "tamo1dkernel.dll"):
            found.extend(sorted(glob.glob(os.path.join(directory, pattern))))
    return found


def library_path_candidates():
    """Paths and names tried, in order (for messages)."""
    candidates = []
    explicit = os.environ.get(ENVIRONMENT_VARIABLE, "")
    if explicit:
        candidates.append(explicit)
    candidates.extend(_candidates_next_to_package())
    system = ctypes.util.find_library("tamo1dkernel")
    if system:
        candidates.append(system)
    if sys.platform.startswith("linux"):
        candidates.extend(["libtamo1dkernel.so.1", "libtamo1dkernel.so"])
    return candidates


def load():
    """Returns the loaded library (a ctypes.CDLL), loading it on first use."""
    global _loaded
    if _loaded is not None:
        return _loaded
    explicit = os.environ.get(ENVIRONMENT_VARIABLE, "")
    if explicit and not os.path.isfile(explicit):
        raise OSError(f"{ENVIRONMENT_VARIABLE}={explicit} does not name a file")
    errors = []
    for candidate in library_path_candidates():
        try:
            _loaded = ctypes.CDLL(candidate)
            return _loaded
        except OSError as error:
            errors.append(f"{candidate}: {error}")
            if candidate == explicit:
                break
    raise OSError("libtamo1dkernel not found; set " + ENVIRONMENT_VARIABLE +
                  " to its path. Tried:\n  " + "\n  ".join(errors or ["(no candidate)"]))
