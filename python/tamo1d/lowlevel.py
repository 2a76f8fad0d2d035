"""Low-level binding: every exported C operation of tamo1dkernel through ctypes.

`lib()` gives the ctypes library with argument and result types of all 37 exported
functions declared; the wrappers below call it with checked numpy arrays (float64 or
int32, one-dimensional, contiguous, long enough: see arrays.py) and turn a negative result
code into TamoError. The C library keeps returning codes; only this layer raises.

Array lengths follow the grid: with N interface positions there are n = N+1 nodes. The
binding remembers N for every grid it defined through set_grid, so that it can check node
and interface arrays before the library reads them. A grid defined through the raw `lib()`
functions is unknown here, and the wrappers that need its size refuse to run on it.
"""

import collections
import ctypes

import numpy as np

from . import arrays
from . import library
from .errors import TamoError

_D = ctypes.c_double
_I = ctypes.c_int32
_PD = arrays.DOUBLE_POINTER
_PI = arrays.INT32_POINTER
_S = ctypes.c_char_p

# name: (result type, argument types), in the order of the public header.
PROTOTYPES = {
    "tamoGetVersion": (_S, []),
    "tamoResultName": (_S, [_I]),
    "tamoCreateContext": (_I, []),
    "tamoDeleteContext": (_I, [_I]),
    "tamoSetParameter": (_I, [_I] * 12),
    "tamoSetParameter1": (_I, [_I] * 13),
    "tamoSetGrid": (_I, [_I, _I, _PD, _D, _PI]),
    "tamoGetGrid": (_I, [_I, _I, _PD]),
    "tamoSetMaterial": (_I, [_I, _I, _D, _D, _D, _I]),
    "tamoSetMaterialFunction": (_I, [_I, _I, _I, _I, _I, _PD, _PD]),
    "tamoSetSurfaceCondition": (_I, [_I, _D] + [_D] * 6 + [_I] + [_D] * 6 + [_I]),
    "tamoTransBound": (_I, [_I] + [_D] * 15),
    "tamoSetSource": (_I, [_I, _I, _I, _I, _I, _D, _D, _PD]),
    "tamoUpdateSource": (_I, [_I, _I, _PD]),
    "tamoSoriso": (_I, [_I, _I, _D, _PD, _PD]),
    "tamoSorinv": (_I, [_I, _I, _D, _PD]),
    "tamoCaldw": (_I, [_I, _I, _D, _PD, _I]),
    "tamoCalmu": (_I, [_I, _I, _D, _PD]),
    "tamoCallam": (_I, [_I, _I, _D, _D, _PD]),
    "tamoCalent": (_I, [_I, _I, _D, _PD]),
    "tamoStep": (_I, [_I, _D, _I, _PD, _PD, _PD, _PI, _PD, _PD, _PI]),
    "tamoStep2": (_I, [_I] + [_D] * 16 + [_I, _PD, _PD, _PD, _PI, _PD, _PD, _PI]),
    "tamoGetSolver": (_I, [_I, _I, _PD, _PD, _PD, _PD]),
    "tamoGetFlux": (_I, [_I, _I, _PD, _PD, _PD, _PD, _PD, _PD]),
    "tamoGetSurfaceCoeff": (_I, [_I, _PD, _PD, _PD, _PD]),
    "tamoGetIntermediate": (_I, [_I, _I, _PD, _PD, _PD, _PD, _PD, _I, _PD, _PD, _PD]),
    "tamoGetTransport": (_I, [_I, _I, _PD, _PD, _PD]),
    "tamoGetSourceQuantity": (_I, [_I, _I, _I, _PD, _PD, _PD, _PD]),
    "sbuild": (None, [_I, _PD, _PD, _PD, _PD, _PD, _PD, _D, _PI]),
    "sval": (_D, [_I, _PD, _PD, _PD, _PD, _PD, _PD, _D, _PI]),
    "svald": (_D, [_I, _PD, _PD, _PD, _PD, _PD, _PD, _D, _PI, _PD]),
    "grad2r": (None, [_I, _PD, _PD, _PD, _D, _PI]),
    "grad2b": (None, [_I, _PD, _PD, _PD, _D, _PI]),
    "expjp": (None, [_I, _PD, _PD, _PD, _D]),
    "expjp2": (None, [_I, _PD, _PD, _PD, _D, _D, _PI]),
    "test": (None, [_I, _PD, _PD, _PD, _PD, _PD, _PD, _D, _PI]),
    "checkbool": (_I, [_I, _PI, _PI, _PI]),
}

_configured = None

# Interface count N of every grid defined through set_grid, by handle.
_grid_interfaces = {}


def lib():
    """The library with the prototypes of every exported function declared."""
    global _configured
    if _configured is None:
        handle = library.load()
        for name, (restype, argtypes) in PROTOTYPES.items():
            function = getattr(handle, name)
            function.restype = restype
            function.argtypes = argtypes
        _configured = handle
    return _configured


def version():
    """Library version "major.minor.patch"."""
    return lib().tamoGetVersion().decode("ascii")


def result_name(code):
    """Constant name of a result code ("TAMO_OK", ..., "TAMO_UNKNOWN")."""
    return lib().tamoResultName(int(code)).decode("ascii")


def _checked(code, operation, outcome=None):
    if code < 0:
        raise TamoError(code, operation, result_name(code), outcome)
    return code


def _flag(value):
    return int(value) if not isinstance(value, bool) else (1 if value else 0)


def _pointer_or_null(array, name, length):
    return None if array is None else arrays.doubles(array, name, length)


def interface_count(handle):
    """N of the grid that set_grid defined in this context (raises when unknown)."""
    if handle in _grid_interfaces:
        return _grid_interfaces[handle]
    # Let the library report an invalid handle or a missing grid with its own code.
    _checked(lib().tamoGetGrid(int(handle), 0, None), "tamoGetGrid")
    raise ValueError(f"context {handle}: its grid was not defined through set_grid, so the "
                     "array lengths cannot be checked")


def node_count(handle):
    """n = N+1 nodes of the context's grid."""
    return interface_count(handle) + 1


# ---------------------------------------------------------------------------------------
# Contexts and parameters
# ---------------------------------------------------------------------------------------

def create_context():
    """A new context handle (>= 1)."""
    handle = lib().tamoCreateContext()
    _checked(handle, "tamoCreateContext")
    _grid_interfaces.pop(handle, None)
    return handle


def delete_context(handle):
    _checked(lib().tamoDeleteContext(int(handle)), "tamoDeleteContext")
    _grid_interfaces.pop(handle, None)


def set_parameter(handle, heat_transport, moisture_transport, liquid_transport,
                  fine_convergence, stabilised_iteration, unused1, evaporation, fusion,
                  unused2=0, unused3=0, unused4=0):
    args = [heat_transport, moisture_transport, liquid_transport, fine_convergence,
            stabilised_iteration, unused1, evaporation, fusion, unused2, unused3, unused4]
    _checked(lib().tamoSetParameter(int(handle), *map(_flag, args)), "tamoSetParameter")


def set_parameter1(handle, heat_transport, moisture_transport, liquid_transport,
                   fine_convergence, stabilised_iteration, unused1, evaporation,
                   temperature_dependent_evaporation, fusion, unused2=0, unused3=0, unused4=0):
    args = [heat_transport, moisture_transport, liquid_transport, fine_convergence,
            stabilised_iteration, unused1, evaporation, temperature_dependent_evaporation,
            fusion, unused2, unused3, unused4]
    _checked(lib().tamoSetParameter1(int(handle), *map(_flag, args)), "tamoSetParameter1")


# ---------------------------------------------------------------------------------------
# Model definition
# ---------------------------------------------------------------------------------------

def set_grid(handle, positions, radius, materials):
    """positions: N float64 interface positions (m); materials: N int32 element materials
    (entry 0 ignored); radius > 0 selects cylindrical geometry."""
    count = positions.size if isinstance(positions, np.ndarray) else 0
    p = arrays.doubles(positions, "positions", count)
    m = arrays.int32s(materials, "materials", count)
    _checked(lib().tamoSetGrid(int(handle), count, p, float(radius), m), "tamoSetGrid")
    _grid_interfaces[handle] = count


def get_grid(handle, count=None, out=None):
    """Interface positions 1..count (default N+1: entry N+1 repeats position N)."""
    if count is None:
        count = node_count(handle)
    count = int(count)
    out = arrays.output(out, "out", max(count, 0))
    _checked(lib().tamoGetGrid(int(handle), count, out.ctypes.data_as(_PD)), "tamoGetGrid")
    return out


def set_material(handle, material, rho, porosity, heat_capacity, vapour_tight=False):
    _checked(lib().tamoSetMaterial(int(handle), int(material), float(rho), float(porosity),
                                   float(heat_capacity), _flag(vapour_tight)),
             "tamoSetMaterial")


def set_material_function(handle, material, kind, analytic, xs, ys, n=None):
    """Loads function `kind` (1..7) from n points (default: len(xs)); xs and ys may be
    None when n is 0."""
    if n is None:
        n = 0 if xs is None else xs.size
    n = int(n)
    length = max(n, 0)
    if n >= 1 or xs is not None:
        px = arrays.doubles(xs, "xs", length)
        py = arrays.doubles(ys, "ys", length)
    else:
        px = py = None
    _checked(lib().tamoSetMaterialFunction(int(handle), int(material), int(kind),
                                           int(analytic), n, px, py),
             "tamoSetMaterialFunction")


def set_surface_condition(handle, pressure, heat_transfer_a, sd_a, absorptivity_a,
                          emissivity_a, rain_factor_a, radiative_part_a, explicit_long_wave_a,
                          heat_transfer_b, sd_b, absorptivity_b, emissivity_b, rain_factor_b,
                          radiative_part_b, explicit_long_wave_b):
    side_a = [heat_transfer_a, sd_a, absorptivity_a, emissivity_a, rain_factor_a,
              radiative_part_a]
    side_b = [heat_transfer_b, sd_b, absorptivity_b, emissivity_b, rain_factor_b,
              radiative_part_b]
    _checked(lib().tamoSetSurfaceCondition(
        int(handle), float(pressure), *map(float, side_a), _flag(explicit_long_wave_a),
        *map(float, side_b), _flag(explicit_long_wave_b)), "tamoSetSurfaceCondition")


CLIMATE_FIELDS = ("heat_transfer_a", "sd_a", "temperature_a", "humidity_a", "radiation_a",
                  "counter_radiation_a", "rain_a", "heat_transfer_b", "sd_b", "temperature_b",
                  "humidity_b", "radiation_b", "counter_radiation_b", "rain_b", "pressure")


def trans_bound(handle, *climate):
    """The fifteen climate values in the order of CLIMATE_FIELDS."""
    if len(climate) != 15:
        raise TypeError(f"trans_bound takes 15 climate values, {len(climate)} given")
    _checked(lib().tamoTransBound(int(handle), *map(float, climate)), "tamoTransBound")


def set_source(handle, number, type, subtype, side, start, thickness, values):
    """values: float64 array, value(1) (and value(2..3) with subtype 1)."""
    p = arrays.doubles(values, "values", 3 if int(subtype) == 1 else 1)
    _checked(lib().tamoSetSource(int(handle), int(number), int(type), int(subtype), int(side),
                                 float(start), float(thickness), p), "tamoSetSource")


def update_source(handle, number, values=None):
    """values: float64 array of 3 entries (the library may read value(1..3)), or None for a
    climate refresh only."""
    _checked(lib().tamoUpdateSource(int(handle), int(number),
                                    _pointer_or_null(values, "values", 3)), "tamoUpdateSource")


# ---------------------------------------------------------------------------------------
# Material properties
# ---------------------------------------------------------------------------------------

def soriso(handle, material, phi):
    """(w kg/m3, dw/dphi kg/m3) at relative humidity phi."""
    w, dwdphi = _D(), _D()
    _checked(lib().tamoSoriso(int(handle), int(material), float(phi), ctypes.byref(w),
                              ctypes.byref(dwdphi)), "tamoSoriso")
    return w.value, dwdphi.value


def sorinv(handle, material, w):
    """Relative humidity at which the storage function reaches w."""
    phi = _D()
    _checked(lib().tamoSorinv(int(handle), int(material), float(w), ctypes.byref(phi)),
             "tamoSorinv")
    return phi.value


def caldw(handle, material, w, suction):
    """Liquid transport coefficient (m2/s) at water content w."""
    dw = _D()
    _checked(lib().tamoCaldw(int(handle), int(material), float(w), ctypes.byref(dw),
                             _flag(suction)), "tamoCaldw")
    return dw.value


def calmu(handle, material, phi):
    """Vapour diffusion resistance factor at relative humidity phi."""
    mu = _D()
    _checked(lib().tamoCalmu(int(handle), int(material), float(phi), ctypes.byref(mu)),
             "tamoCalmu")
    return mu.value


def callam(handle, material, w, t):
    """Thermal conductivity W/(m K) at water content w and temperature t (degC)."""
    value = _D()
    _checked(lib().tamoCallam(int(handle), int(material), float(w), float(t),
                              ctypes.byref(value)), "tamoCallam")
    return value.value


def calent(handle, material, t):
    """Specific enthalpy J/kg at temperature t (degC)."""
    value = _D()
    _checked(lib().tamoCalent(int(handle), int(material), float(t), ctypes.byref(value)),
             "tamoCalent")
    return value.value


# ---------------------------------------------------------------------------------------
# Time step
# ---------------------------------------------------------------------------------------

StepOutcome = collections.namedtuple(
    "StepOutcome", "result iterations max_humidity_change max_temperature_change status")


def _step_arrays(handle, temperature, humidity, water_content):
    n = node_count(handle)
    return (arrays.doubles(temperature, "temperature", n, writable=True),
            arrays.doubles(humidity, "humidity", n, writable=True),
            arrays.doubles(water_content, "water_content", n, writable=True))


def _step_outcome(code, operation, iterations, dphi, dt, status, raise_on_divergence):
    outcome = StepOutcome(code, iterations.value, dphi.value, dt.value, status.value)
    if code < 0 and (raise_on_divergence or code != -20):
        _checked(code, operation, outcome)
    return outcome


def step(handle, dt, temperature, humidity, water_content, raise_on_divergence=True):
    """One time step of dt s; the three node arrays (n entries) are updated in place.
    A diverged step (-20) raises unless raise_on_divergence is False; its outcome is then
    returned with result -20."""
    t, phi, w = _step_arrays(handle, temperature, humidity, water_content)
    iterations, status = _I(), _I()
    dphi, dtemp = _D(), _D()
    code = lib().tamoStep(int(handle), float(dt), 0, t, phi, w, ctypes.byref(iterations),
                          ctypes.byref(dphi), ctypes.byref(dtemp), ctypes.byref(status))
    return _step_outcome(code, "tamoStep", iterations, dphi, dtemp, status,
                         raise_on_divergence)


def step2(handle, climate, dt, temperature, humidity, water_content,
          raise_on_divergence=True):
    """tamoTransBound with climate (15 values, CLIMATE_FIELDS order), then a step."""
    climate = [float(v) for v in climate]
    if len(climate) != 15:
        raise TypeError(f"step2 takes 15 climate values, {len(climate)} given")
    t, phi, w = _step_arrays(handle, temperature, humidity, water_content)
    iterations, status = _I(), _I()
    dphi, dtemp = _D(), _D()
    code = lib().tamoStep2(int(handle), *climate, float(dt), 0, t, phi, w,
                           ctypes.byref(iterations), ctypes.byref(dphi), ctypes.byref(dtemp),
                           ctypes.byref(status))
    return _step_outcome(code, "tamoStep2", iterations, dphi, dtemp, status,
                         raise_on_divergence)


# ---------------------------------------------------------------------------------------
# Results
# ---------------------------------------------------------------------------------------

def _copied_count(handle, count):
    """Entries a count-limited copy writes: count, at most n (when the grid is known)."""
    count = max(int(count), 0)
    if handle in _grid_interfaces:
        count = min(count, _grid_interfaces[handle] + 1)
    return count


def get_solver(handle, count=None, lower=None, diagonal=None, upper=None, right_hand_side=None):
    """(lower, diagonal, upper, right-hand side) of the last solved tridiagonal system."""
    if count is None:
        count = node_count(handle)
    length = _copied_count(handle, count)
    outs = [arrays.output(a, name, length) for a, name in
            ((lower, "lower"), (diagonal, "diagonal"), (upper, "upper"),
             (right_hand_side, "right_hand_side"))]
    _checked(lib().tamoGetSolver(int(handle), int(count),
                                 *[a.ctypes.data_as(_PD) for a in outs]), "tamoGetSolver")
    return tuple(outs)


Fluxes = collections.namedtuple("Fluxes", "heat enthalpy vapour liquid")


def get_flux(handle, temperature, humidity, heat=None, enthalpy=None, vapour=None,
             liquid=None):
    """Interface fluxes (N entries each): heat W/m2, enthalpy W/m2, vapour kg/(m2 s),
    liquid kg/(m2 s), positive from side A to side B."""
    big_n = interface_count(handle)
    t = arrays.doubles(temperature, "temperature", big_n + 1)
    phi = arrays.doubles(humidity, "humidity", big_n + 1)
    outs = [arrays.output(a, name, big_n) for a, name in
            ((heat, "heat"), (enthalpy, "enthalpy"), (vapour, "vapour"), (liquid, "liquid"))]
    _checked(lib().tamoGetFlux(int(handle), 0, t, phi, *[a.ctypes.data_as(_PD) for a in outs]),
             "tamoGetFlux")
    return Fluxes(*outs)


SurfaceCoefficients = collections.namedtuple(
    "SurfaceCoefficients", "heat_transfer_a vapour_transfer_a heat_transfer_b vapour_transfer_b")


def get_surface_coeff(handle):
    """Heat W/(m2 K) and vapour kg/(m2 s Pa) transfer coefficients of sides A and B."""
    values = [_D() for _ in range(4)]
    _checked(lib().tamoGetSurfaceCoeff(int(handle), *[ctypes.byref(v) for v in values]),
             "tamoGetSurfaceCoeff")
    return SurfaceCoefficients(*[v.value for v in values])


Intermediate = collections.namedtuple(
    "Intermediate", "water_content saturation_pressure dew_point layer_water_content "
                    "interior_mean_water_content total_water")


def get_intermediate(handle, temperature, humidity, material_count, water_content=None,
                     saturation_pressure=None, dew_point=None, layer_water_content=None):
    """Derived node fields for the node state: water content kg/m3, saturation pressure Pa,
    dew point degC (entries 2..N), mean water content per material 1..material_count,
    interior mean water content kg/m3, total water kg/m2."""
    n = node_count(handle)
    t = arrays.doubles(temperature, "temperature", n)
    phi = arrays.doubles(humidity, "humidity", n)
    w = arrays.output(water_content, "water_content", n)
    psat = arrays.output(saturation_pressure, "saturation_pressure", n)
    dew = arrays.output(dew_point, "dew_point", n)
    layers = arrays.output(layer_water_content, "layer_water_content", max(int(material_count), 0))
    interior, total = _D(), _D()
    _checked(lib().tamoGetIntermediate(int(handle), 0, t, phi, w.ctypes.data_as(_PD),
                                       psat.ctypes.data_as(_PD), dew.ctypes.data_as(_PD),
                                       int(material_count), layers.ctypes.data_as(_PD),
                                       ctypes.byref(interior), ctypes.byref(total)),
             "tamoGetIntermediate")
    return Intermediate(w, psat, dew, layers, interior.value, total.value)


Transport = collections.namedtuple("Transport", "heat_conductance vapour_permeability "
                                                "liquid_transfer_coefficient")


def get_transport(handle, count=None, heat_conductance=None, vapour_permeability=None,
                  liquid_transfer_coefficient=None):
    """Interface coefficients of the last step (entries 1..count)."""
    if count is None:
        count = node_count(handle)
    length = _copied_count(handle, count)
    outs = [arrays.output(a, name, length) for a, name in
            ((heat_conductance, "heat_conductance"),
             (vapour_permeability, "vapour_permeability"),
             (liquid_transfer_coefficient, "liquid_transfer_coefficient"))]
    _checked(lib().tamoGetTransport(int(handle), int(count),
                                    *[a.ctypes.data_as(_PD) for a in outs]), "tamoGetTransport")
    return Transport(*outs)


def get_source_quantity(handle, number, temperature, humidity):
    """(heat W/m2, moisture kg/(m2 s)) that source `number` delivers for the node state."""
    n = node_count(handle)
    t = arrays.doubles(temperature, "temperature", n)
    phi = arrays.doubles(humidity, "humidity", n)
    heat, moisture = _D(), _D()
    _checked(lib().tamoGetSourceQuantity(int(handle), int(number), n, t, phi,
                                         ctypes.byref(heat), ctypes.byref(moisture)),
             "tamoGetSourceQuantity")
    return heat.value, moisture.value


# ---------------------------------------------------------------------------------------
# Handle-free routines (they report through an error indicator, returned here)
# ---------------------------------------------------------------------------------------

def sbuild(x, y, tension, b, c, d, eps):
    """Builds a spline under tension through the x.size points; b (in: end derivatives in
    b[0], b[-1]), c and d (n-1 entries) are written in place. Returns the indicator."""
    n = x.size if isinstance(x, np.ndarray) else 0
    ierr = _I()
    lib().sbuild(n, arrays.doubles(x, "x", n), arrays.doubles(y, "y", n),
                 arrays.doubles(tension, "tension", max(n - 1, 0)),
                 arrays.doubles(b, "b", n, writable=True),
                 arrays.doubles(c, "c", max(n - 1, 0), writable=True),
                 arrays.doubles(d, "d", max(n - 1, 0), writable=True), float(eps),
                 ctypes.byref(ierr))
    return ierr.value


def _spline_pointers(x, tension, ya, yb, c, d):
    n = x.size if isinstance(x, np.ndarray) else 0
    m = max(n - 1, 0)
    return n, (arrays.doubles(x, "x", n), arrays.doubles(tension, "tension", m),
               arrays.doubles(ya, "ya", n), arrays.doubles(yb, "yb", m),
               arrays.doubles(c, "c", m), arrays.doubles(d, "d", m))


def sval(x, tension, ya, yb, c, d, t):
    """(value, indicator) of the built spline at t."""
    n, pointers = _spline_pointers(x, tension, ya, yb, c, d)
    ierr = _I()
    value = lib().sval(n, *pointers, float(t), ctypes.byref(ierr))
    return value, ierr.value


def svald(x, tension, ya, yb, c, d, t):
    """(value, first derivative, indicator); the derivative is None when the indicator is
    not 0 (the library leaves it untouched)."""
    n, pointers = _spline_pointers(x, tension, ya, yb, c, d)
    ierr = _I()
    deriv = _D(float("nan"))
    value = lib().svald(n, *pointers, float(t), ctypes.byref(ierr), ctypes.byref(deriv))
    return value, (deriv.value if ierr.value == 0 else None), ierr.value


def _gradient(function, x, y, eps, s):
    n = x.size if isinstance(x, np.ndarray) else 0
    s = arrays.output(s, "s", n)
    ierr = _I()
    function(n, arrays.doubles(x, "x", n), arrays.doubles(y, "y", n), s.ctypes.data_as(_PD),
             float(eps), ctypes.byref(ierr))
    return s, ierr.value


def grad2r(x, y, eps, s=None):
    """(derivative estimates by the weighted harmonic mean of the secants, indicator)."""
    return _gradient(lib().grad2r, x, y, eps, s)


def grad2b(x, y, eps, s=None):
    """(derivative estimates by the three-point parabola, indicator)."""
    return _gradient(lib().grad2b, x, y, eps, s)


def expjp(x, y, t, eps):
    """Interval tensions from the inflection points, written into t (t[0] in: base)."""
    n = x.size if isinstance(x, np.ndarray) else 0
    lib().expjp(n, arrays.doubles(x, "x", n), arrays.doubles(y, "y", n),
                arrays.doubles(t, "t", n, writable=True), float(eps))


def expjp2(x, y, t, tmax, crit):
    """Tensions raised until the spline keeps the shape of the points, written into t
    (in: t[0] start tension, t[-2], t[-1] end derivatives). Returns the indicator."""
    n = x.size if isinstance(x, np.ndarray) else 0
    ierr = _I()
    lib().expjp2(n, arrays.doubles(x, "x", n), arrays.doubles(y, "y", n),
                 arrays.doubles(t, "t", n, writable=True), float(tmax), float(crit),
                 ctypes.byref(ierr))
    return ierr.value


def interface_check(a, b, c, v):
    """The C routine `test`: (2 a, b c, v repeated, indicator) over a.size entries."""
    n = a.size if isinstance(a, np.ndarray) else 0
    outs = [np.zeros(max(n, 1)) for _ in range(3)]
    ierr = _I()
    lib().test(n, arrays.doubles(a, "a", n), arrays.doubles(b, "b", n),
               arrays.doubles(c, "c", n), *[o.ctypes.data_as(_PD) for o in outs], float(v),
               ctypes.byref(ierr))
    return outs[0][:n], outs[1][:n], outs[2][:n], ierr.value


def check_bool(flag):
    """The C routine `checkbool`: (result, negation, true value, false value)."""
    negation, true_value, false_value = _I(), _I(), _I()
    result = lib().checkbool(int(flag), ctypes.byref(negation), ctypes.byref(true_value),
                             ctypes.byref(false_value))
    return result, negation.value, true_value.value, false_value.value
