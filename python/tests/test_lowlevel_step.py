"""Steps through the binding's wrappers: arguments without effect and the coupling of the
transport switches."""

import numpy as np

from conftest import define_grid
from tamo1d import lowlevel

POSITIONS = [0.0, 0.01, 0.03, 0.06, 0.09, 0.11, 0.12]
CLIMATE = (17.0, 0.0, -5.0, 0.85, 0.0, 0.0, 0.0, 8.0, 0.0, 20.0, 0.5, 0.0, 0.0, 0.0, 101325.0)


def run_steps(parameters, use_parameter1=True, steps=3):
    handle = lowlevel.create_context()
    try:
        define_grid(handle, POSITIONS, [0, 1, 1, 1, 2, 2, 2])
        (lowlevel.set_parameter1 if use_parameter1 else lowlevel.set_parameter)(handle, *parameters)
        for m, (rho, por, w50, wf, mu, lam) in enumerate(((1800.0, 0.31, 2.0, 220.0, 12.0, 0.6),
                                                          (150.0, 0.9, 1.0, 60.0, 3.0, 0.05)), 1):
            lowlevel.set_material(handle, m, rho, por, 900.0)
            lowlevel.set_material_function(handle, m, 1, 1, np.array([0.5, 1.0]),
                                           np.array([w50, wf]))
            lowlevel.set_material_function(handle, m, 2, 1, np.array([0.1]), np.array([0.1]))
            lowlevel.set_material_function(handle, m, 4, 1, np.array([lam, 4.0]),
                                           np.array([lam, 4.0]))
            lowlevel.set_material_function(handle, m, 6, 0, np.array([0.0, 1.0]),
                                           np.array([mu, mu]))
        lowlevel.set_surface_condition(handle, 101325.0, 17.0, 0.0, 0.6, 0.9, 0.0, 4.5, 0,
                                       8.0, 0.0, 0.0, 0.9, 0.0, 0.0, 0)
        n = len(POSITIONS) + 1
        t, phi, w = np.full(n, 15.0), np.full(n, 0.7), np.zeros(n)
        outcomes = [lowlevel.step2(handle, CLIMATE, 3600.0, t, phi, w) for _ in range(steps)]
        return dict(t=t, phi=phi, w=w, outcomes=outcomes, fluxes=lowlevel.get_flux(handle, t, phi))
    finally:
        lowlevel.delete_context(handle)


def test_arguments_without_effect_and_switch_coupling():
    reference = run_steps((1, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0), use_parameter1=False)
    noisy = run_steps((1, 1, 1, 0, 0, 12345, 1, 1, -7, 99, 3), use_parameter1=False)
    for key in ("t", "phi", "w"):
        assert np.array_equal(reference[key], noisy[key])
    # Liquid transport needs moisture transport: 1 with moisture off equals 0.
    dry_a = run_steps((1, 0, 1, 0, 0, 0, 1, 1, 0, 0, 0), use_parameter1=False)
    dry_b = run_steps((1, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0), use_parameter1=False)
    assert np.array_equal(dry_a["t"], dry_b["t"]) and np.all(dry_a["phi"][1:-1] == 0.7)
    assert reference["t"][0] == -5.0 and reference["phi"][-1] == 0.5   # ambient nodes
