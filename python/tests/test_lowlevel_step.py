"""Steps and result queries through the binding: parameter switches seen in the fluxes,
arguments without effect, thread-count independence of a run."""

import os
import subprocess
import sys

import numpy as np
import pytest

from conftest import PYTHON_DIR, define_grid
from tamo1d import lowlevel

POSITIONS = [0.0, 0.01, 0.03, 0.06, 0.09, 0.11, 0.12]
MATERIALS = [0, 1, 1, 1, 2, 2, 2]
CLIMATE = (17.0, 0.0, -5.0, 0.85, 0.0, 0.0, 0.0, 8.0, 0.0, 20.0, 0.5, 0.0, 0.0, 0.0, 101325.0)


def build(handle, parameters, use_parameter1=True):
    define_grid(handle, POSITIONS, MATERIALS)
    if use_parameter1:
        lowlevel.set_parameter1(handle, *parameters)
    else:
        lowlevel.set_parameter(handle, *parameters)
    for m, (rho, por, w50, wf, mu, lam) in enumerate(((1800.0, 0.31, 2.0, 220.0, 12.0, 0.6),
                                                      (150.0, 0.9, 1.0, 60.0, 3.0, 0.05)), 1):
        lowlevel.set_material(handle, m, rho, por, 900.0)
        lowlevel.set_material_function(handle, m, 1, 1, np.array([0.5, 1.0]),
                                       np.array([w50, wf]))
        lowlevel.set_material_function(handle, m, 2, 1, np.array([0.1]), np.array([0.1]))
        lowlevel.set_material_function(handle, m, 4, 1, np.array([lam, 4.0]),
                                       np.array([lam, 4.0]))
        lowlevel.set_material_function(handle, m, 5, 0, None, None, n=0)
        lowlevel.set_material_function(handle, m, 6, 0, np.array([0.0, 1.0]),
                                       np.array([mu, mu]))
    lowlevel.set_surface_condition(handle, 101325.0, 17.0, 0.0, 0.6, 0.9, 0.0, 4.5, 0,
                                   8.0, 0.0, 0.0, 0.9, 0.0, 0.0, 0)


def run_steps(parameters, steps=3, use_parameter1=True):
    handle = lowlevel.create_context()
    try:
        build(handle, parameters, use_parameter1)
        n = len(POSITIONS) + 1
        t, phi, w = np.full(n, 15.0), np.full(n, 0.7), np.zeros(n)
        outcomes = [lowlevel.step2(handle, CLIMATE, 3600.0, t, phi, w) for _ in range(steps)]
        fluxes = lowlevel.get_flux(handle, t, phi)
        transport = lowlevel.get_transport(handle)
        system = lowlevel.get_solver(handle)
        coefficients = lowlevel.get_surface_coeff(handle)
        return dict(t=t, phi=phi, w=w, outcomes=outcomes, fluxes=fluxes,
                    transport=transport, system=system, coefficients=coefficients)
    finally:
        lowlevel.delete_context(handle)


def test_heat_of_evaporation_in_the_enthalpy_flux():
    cases = (((1, 1, 1, 0, 0, 0, 1, 1, 1), lambda t: 2.5e6 - 2440.0 * t),   # T-dependent
             ((1, 1, 1, 0, 0, 0, 1, 0, 1), lambda t: 2.5e6),
             ((1, 1, 1, 0, 0, 0, 0, 1, 1), lambda t: 1.0))                   # flag needs evap.
    for parameters, latent_heat in cases:
        r = run_steps(parameters)
        f = r["fluxes"]
        assert all(o.result == 0 and o.iterations > 0 for o in r["outcomes"])
        assert np.any(np.abs(f.vapour[1:-1]) > 1e-10)
        for k in range(2, len(POSITIONS)):           # interior interfaces, 1-based
            expected = f.heat[k - 1] + latent_heat(r["t"][k - 1]) * f.vapour[k - 1]
            assert f.enthalpy[k - 1] == pytest.approx(expected, rel=1e-12, abs=1e-12)


def test_arguments_without_effect_and_switch_coupling():
    reference = run_steps((1, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0), use_parameter1=False)
    noisy = run_steps((1, 1, 1, 0, 0, 12345, 1, 1, -7, 99, 3), use_parameter1=False)
    for key in ("t", "phi", "w"):
        assert np.array_equal(reference[key], noisy[key])
    # Liquid transport needs moisture transport: 1 with moisture off equals 0.
    dry_a = run_steps((1, 0, 1, 0, 0, 0, 1, 1, 0, 0, 0), use_parameter1=False)
    dry_b = run_steps((1, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0), use_parameter1=False)
    assert np.array_equal(dry_a["t"], dry_b["t"]) and np.array_equal(dry_a["phi"], dry_b["phi"])
    assert np.all(dry_a["phi"][1:-1] == 0.7)        # no moisture balance: humidity stays
    # The ambient nodes take the climate.
    assert reference["t"][0] == -5.0 and reference["t"][-1] == 20.0
    assert reference["phi"][0] == 0.85 and reference["phi"][-1] == 0.5


def test_result_queries_are_consistent():
    r = run_steps((1, 1, 1, 0, 0, 0, 1, 0, 1))
    n = len(POSITIONS) + 1
    assert r["transport"].heat_conductance.size == n
    assert np.all(r["transport"].vapour_permeability[1:-1] > 0.0)
    assert r["coefficients"].heat_transfer_a > 0.0 and r["coefficients"].vapour_transfer_b > 0.0
    lower, diagonal, upper, rhs = r["system"]
    assert diagonal.size == n and np.all(np.isfinite(rhs))
    # Heat flows from the warm side B to the cold side A: negative from A to B, and in
    # the near-steady interior the conductive flux keeps its sign everywhere.
    assert np.all(r["fluxes"].heat[1:-1] < 0.0)


def test_two_threads_give_the_same_run_as_one():
    script = ("import sys; sys.path.insert(0, %r); sys.path.insert(0, %r);"
              "import test_lowlevel_step as s, numpy as np;"
              "r = s.run_steps((1, 1, 1, 0, 0, 0, 1, 0, 1), steps=6);"
              "print(repr(np.concatenate((r['t'], r['phi'], r['w'])).tobytes().hex()))"
              % (PYTHON_DIR, os.path.join(PYTHON_DIR, "tests")))
    outputs = []
    for threads in ("1", "2"):
        env = dict(os.environ, OMP_NUM_THREADS=threads)
        outputs.append(subprocess.run([sys.executable, "-c", script], env=env, check=True,
                                      capture_output=True, text=True).stdout)
    assert outputs[0] == outputs[1]
