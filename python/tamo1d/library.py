"""Locates and loads the shared libraries libtamo1dkernel (the kernel, tamo1d.lowlevel)
and libtamo1dhost (the simulation host, tamo1d.Simulation).

Search order for each:
  1. the file named by its environment variable (TAMO1DKERNEL_LIBRARY, TAMO1DHOST_LIBRARY);
  2. next to this package and up to three folders above it (an installed package lies in
     <prefix>/lib/python3/dist-packages/tamo1d, the libraries in <prefix>/lib);
  3. the build tree of the source checkout (build/ and build/host/ next to python/);
  4. the system library path (ldconfig cache, LD_LIBRARY_PATH).
"""

import ctypes
import ctypes.util
import glob
import os
import sys

ENVIRONMENT_VARIABLE = "TAMO1DKERNEL_LIBRARY"
HOST_ENVIRONMENT_VARIABLE = "TAMO1DHOST_LIBRARY"

_loaded = {}


def _local_candidates(name, build_subdir):
    here = os.path.dirname(os.path.abspath(__file__))
    folders = [here]
    for _ in range(3):
        folders.append(os.path.dirname(folders[-1]))
    repository = os.path.dirname(os.path.dirname(here))
    folders.append(os.path.join(repository, "build", build_subdir))
    found = []
    for directory in folders:
        for pattern in (f"lib{name}.so", f"lib{name}.so.*", f"lib{name}.dylib", f"{name}.dll"):
            found.extend(sorted(glob.glob(os.path.join(directory, pattern))))
    return found


def library_path_candidates(name="tamo1dkernel", variable=ENVIRONMENT_VARIABLE, build_subdir=""):
    """Paths and names tried, in order (for messages)."""
    candidates = []
    explicit = os.environ.get(variable, "")
    if explicit:
        candidates.append(explicit)
    candidates.extend(_local_candidates(name, build_subdir))
    system = ctypes.util.find_library(name)
    if system:
        candidates.append(system)
    if sys.platform.startswith("linux"):
        candidates.extend([f"lib{name}.so.1", f"lib{name}.so"])
    return candidates


def _load(name, variable, build_subdir):
    if name in _loaded:
        return _loaded[name]
    explicit = os.environ.get(variable, "")
    if explicit and not os.path.isfile(explicit):
        raise OSError(f"{variable}={explicit} does not name a file")
    errors = []
    for candidate in library_path_candidates(name, variable, build_subdir):
        try:
            _loaded[name] = ctypes.CDLL(candidate)
            return _loaded[name]
        except OSError as error:
            errors.append(f"{candidate}: {error}")
            if candidate == explicit:
                break
    raise OSError(f"lib{name} not found; set {variable} to its path. Tried:\n  " +
                  "\n  ".join(errors or ["(no candidate)"]))


def load():
    """The kernel library (a ctypes.CDLL), loaded on first use."""
    return _load("tamo1dkernel", ENVIRONMENT_VARIABLE, "")


def load_host():
    """The host library (a ctypes.CDLL), loaded on first use."""
    return _load("tamo1dhost", HOST_ENVIRONMENT_VARIABLE, "host")
