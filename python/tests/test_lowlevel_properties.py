"""Material functions through the binding against hand-computed values."""

import math

import numpy as np
import pytest

from conftest import define_grid
from tamo1d import lowlevel


def a(*values):
    return np.array(values, dtype=np.float64)


@pytest.fixture
def materials(context):
    """Grid X = (0, 0.01, 0.03, 0.06) with materials 1 | 1 | 2 and M = 2."""
    define_grid(context, [0.0, 0.01, 0.03, 0.06], [0, 1, 1, 2])
    return context


def test_storage_forms_and_inverse_round_trip(materials):
    h = materials
    # Material 1: analytic form 1 through (0.5, 10) with wf = 150, porosity 0.3.
    lowlevel.set_material(h, 1, 1500.0, 0.3, 850.0)
    lowlevel.set_material_function(h, 1, 1, 1, a(0.5, 1.0), a(10.0, 150.0))
    b = 0.5 * (10.0 - 150.0) / (10.0 - 0.5 * 150.0 + 1e-25)
    for phi in (0.1, 0.5, 0.8, 0.95):
        w, dwdphi = lowlevel.soriso(h, 1, phi)
        g = b - phi + 1e-25
        assert w == pytest.approx(150.0 * (b - 1.0) * phi / g, rel=1e-14)
        assert dwdphi == pytest.approx(150.0 * (b - 1.0) / g + w / g, rel=1e-14)
    assert lowlevel.soriso(h, 1, 0.5)[0] == pytest.approx(10.0, rel=1e-12)
    assert lowlevel.soriso(h, 1, 1.0)[0] == pytest.approx(150.0, rel=1e-12)
    # Over-hygroscopic line from (1, wf) to (1.01, wmax = 300); held above 1.01.
    assert lowlevel.soriso(h, 1, 1.005)[0] == pytest.approx(225.0, rel=1e-12)
    assert lowlevel.soriso(h, 1, 1.5)[0] == pytest.approx(300.0, rel=1e-12)
    for w in (0.5, 10.0, 100.0, 149.0, 250.0):
        phi = lowlevel.sorinv(h, 1, w)
        assert lowlevel.soriso(h, 1, phi)[0] == pytest.approx(w, rel=1e-9)
    assert lowlevel.sorinv(h, 1, 0.0) == 0.0
    assert lowlevel.sorinv(h, 1, 1e6) == 1.01

    # Material 2: table (0.3, 2), (0.8, 6), (1.0, 40) with (0, 0) and (1.01, wmax) added.
    lowlevel.set_material(h, 2, 600.0, 0.2, 1000.0)
    lowlevel.set_material_function(h, 2, 1, 0, a(0.3, 0.8, 1.0), a(2.0, 6.0, 40.0))
    assert lowlevel.soriso(h, 2, 0.0)[0] == 0.0
    assert lowlevel.soriso(h, 2, -0.3)[0] == 0.0
    assert lowlevel.soriso(h, 2, 0.55)[0] == pytest.approx(4.0, rel=1e-14)   # linear
    assert lowlevel.soriso(h, 2, 1.01)[0] == pytest.approx(200.0)            # 1000 * por
    for phi in (0.05, 0.3, 0.61, 0.9, 1.004):
        w = lowlevel.soriso(h, 2, phi)[0]
        assert lowlevel.sorinv(h, 2, w) == pytest.approx(phi, abs=1e-10)


def test_default_storage_function_spans_zero_to_wmax(materials):
    h = materials
    lowlevel.set_material(h, 1, 1500.0, 0.25, 850.0)
    lowlevel.set_material_function(h, 1, 1, 0, None, None, n=0)
    assert lowlevel.soriso(h, 1, 0.0)[0] == pytest.approx(0.0, abs=1e-9)
    assert lowlevel.soriso(h, 1, 1.01)[0] == pytest.approx(250.0, rel=1e-12)


def test_transport_and_thermal_properties(materials):
    h = materials
    lowlevel.set_material(h, 1, 1800.0, 0.31, 1000.0)
    lowlevel.set_material_function(h, 1, 1, 1, a(0.5, 1.0), a(2.0, 220.0))
    lowlevel.set_material_function(h, 1, 2, 1, a(0.2), a(0.2))   # A = 0.2 kg/(m2 s^0.5)
    lowlevel.set_material_function(h, 1, 3, 1, a(0.2), a(0.2))
    lowlevel.set_material_function(h, 1, 4, 1, a(0.6, 8.0), a(0.6, 8.0))
    lowlevel.set_material_function(h, 1, 5, 1, a(0.6, 0.002), a(0.6, 0.002))
    lowlevel.set_material_function(h, 1, 6, 0, a(0.0, 1.0), a(12.0, 12.0))
    lowlevel.set_material_function(h, 1, 7, 0, a(0.0, 10.0), a(0.0, 1000.0))
    wf = lowlevel.soriso(h, 1, 1.0)[0]
    d0 = 3.8 * (0.2 / wf) ** 2
    assert lowlevel.caldw(h, 1, wf, True) == pytest.approx(d0, rel=1e-12)
    assert lowlevel.caldw(h, 1, wf + 30.0, True) == pytest.approx(d0, rel=1e-12)
    assert lowlevel.caldw(h, 1, wf, False) == pytest.approx(0.1 * d0, rel=1e-12)
    assert lowlevel.caldw(h, 1, 0.0, True) == pytest.approx(1e-16, rel=1e-12)
    # lambda10 + bT (T - 10) + lambda0 bw w / rho
    for w, t in ((0.0, 10.0), (50.0, 10.0), (50.0, 30.0), (100.0, -5.0)):
        expected = 0.6 + 0.002 * (t - 10.0) + 0.6 * 8.0 * w / 1800.0
        assert lowlevel.callam(h, 1, w, t) == pytest.approx(expected, rel=1e-12)
    assert lowlevel.calmu(h, 1, 0.5) == pytest.approx(12.0, rel=1e-14)
    assert lowlevel.calmu(h, 1, 1.2) == pytest.approx(12.0, rel=1e-14)
    assert lowlevel.calent(h, 1, 5.0) == pytest.approx(500.0)
    assert lowlevel.calent(h, 1, -4.0) == pytest.approx(-400.0)   # first slope extended
    assert lowlevel.calent(h, 1, 25.0) == pytest.approx(2500.0)


def test_intermediate_fields_by_hand(materials):
    """Water per unit area from the node volumes (0.005, 0.02, 0.015 m: surface cells
    halved), layer means, dew points and saturation pressures."""
    h = materials
    lowlevel.set_material(h, 1, 1500.0, 0.3, 850.0)
    lowlevel.set_material_function(h, 1, 1, 0, a(0.5, 1.0), a(10.0, 100.0))
    lowlevel.set_material(h, 2, 600.0, 0.2, 1000.0)
    lowlevel.set_material_function(h, 2, 1, 0, a(0.5, 1.0), a(4.0, 50.0))
    t = a(0.0, 20.0, 20.0, -5.0, 10.0)
    phi = a(0.9, 0.5, 0.5, 0.0, 0.5)
    w1, w2 = 10.0, 0.0
    result = lowlevel.get_intermediate(h, t, phi, 2, dew_point=np.full(5, 42.0))
    assert list(result.water_content) == [0.0, w1, w1, w2, 0.0]
    assert result.total_water == pytest.approx(w1 * 0.005 + w1 * 0.02 + w2 * 0.015, rel=1e-14)
    assert result.layer_water_content[0] == pytest.approx(w1 * 0.025 / 0.03, rel=1e-14)
    assert result.layer_water_content[1] == pytest.approx(w2, abs=1e-14)
    assert result.interior_mean_water_content == pytest.approx(w1 * 0.02 / 0.025, rel=1e-14)
    y = 20.0 / (234.18 + 20.0) + math.log(0.5) / 17.08
    assert result.dew_point[1] == pytest.approx(234.18 * y / (1.0 - y), rel=1e-14)
    assert result.dew_point[3] == -100.0                     # phi = 0
    assert result.dew_point[0] == 42.0 and result.dew_point[4] == 42.0   # untouched
    # Saturation pressure over water: 611.2 Pa at 0 degC, 2339 Pa at 20 degC (within 0.5 %).
    assert result.saturation_pressure[0] == pytest.approx(611.2, rel=5e-3)
    assert result.saturation_pressure[1] == pytest.approx(2339.0, rel=5e-3)
    assert result.saturation_pressure[3] < result.saturation_pressure[0]
