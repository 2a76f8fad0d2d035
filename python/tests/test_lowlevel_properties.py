"""Material functions through the binding: the storage function and its inverse round trip
for every form, and the water of the component as the sum over the node volumes."""

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


@pytest.mark.parametrize("analytic, phis, ws", [
    (1, (0.5, 1.0), (10.0, 150.0)),               # hyperbola through (0.5, 10) and wf
    (0, (0.3, 0.8, 1.0), (2.0, 6.0, 40.0)),       # table with (0, 0) and (1.01, wmax) added
    (0, None, None),                              # default from the porosity
])
def test_storage_function_and_its_inverse_round_trip(materials, analytic, phis, ws):
    h = materials
    lowlevel.set_material(h, 1, 1500.0, 0.3, 850.0)
    if phis is None:
        lowlevel.set_material_function(h, 1, 1, 0, None, None, n=0)
    else:
        lowlevel.set_material_function(h, 1, 1, analytic, a(*phis), a(*ws))
        for phi, w in zip(phis, ws):
            assert lowlevel.soriso(h, 1, phi)[0] == pytest.approx(w, rel=1e-12)
    assert lowlevel.soriso(h, 1, 0.0)[0] == pytest.approx(0.0, abs=1e-9)
    assert lowlevel.soriso(h, 1, 1.01)[0] == pytest.approx(300.0, rel=1e-12)   # 1000 * por
    assert lowlevel.soriso(h, 1, 1.5)[0] == pytest.approx(300.0, rel=1e-12)    # held
    previous = -1.0
    for phi in (0.05, 0.3, 0.61, 0.9, 0.99, 1.004):
        w, capacity = lowlevel.soriso(h, 1, phi)
        assert w > previous and capacity > 0.0
        previous = w
        assert lowlevel.sorinv(h, 1, w) == pytest.approx(phi, abs=1e-10)
    assert lowlevel.sorinv(h, 1, 0.0) == 0.0 and lowlevel.sorinv(h, 1, 1e6) == 1.01


def test_water_of_the_component_is_the_sum_over_the_node_volumes(materials):
    """Node volumes 0.005, 0.02, 0.015 m: the surface cells are halved."""
    h = materials
    for m, wf in ((1, 100.0), (2, 50.0)):
        lowlevel.set_material(h, m, 1500.0, 0.3, 850.0)
        lowlevel.set_material_function(h, m, 1, 0, a(0.5, 1.0), a(wf / 10.0, wf))
    t = a(0.0, 20.0, 20.0, -5.0, 10.0)
    phi = a(0.9, 0.5, 0.5, 0.0, 0.5)
    result = lowlevel.get_intermediate(h, t, phi, 2, dew_point=np.full(5, 42.0))
    assert list(result.water_content) == [0.0, 10.0, 10.0, 0.0, 0.0]
    assert result.total_water == pytest.approx(10.0 * 0.025, rel=1e-14)
    assert result.layer_water_content[0] == pytest.approx(10.0 * 0.025 / 0.03, rel=1e-14)
    assert result.dew_point[1] == pytest.approx(9.26, abs=0.05)   # 20 degC, 50 %
    assert result.dew_point[3] == -100.0 and result.dew_point[0] == 42.0
    # Saturation pressure over water: 611.2 Pa at 0 degC, 2339 Pa at 20 degC (within 0.5 %).
    assert result.saturation_pressure[0] == pytest.approx(611.2, rel=5e-3)
    assert result.saturation_pressure[1] == pytest.approx(2339.0, rel=5e-3)
