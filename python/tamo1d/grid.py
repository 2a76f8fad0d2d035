"""Interface positions and element materials of a layered component.

Each layer is split into cells that grow geometrically by the stretching ratio from both
layer edges towards the middle, so the grid is fine at the surfaces and at every layer
boundary, where the gradients are steepest. Numbering follows the library: N interface
positions, n = N+1 nodes, node 1 and n the ambient air, interior node k (2..N) the element
between positions k-1 and k. The numpy arrays below are C arrays: entry k-1 belongs to
node, element or interface k.
"""

import numpy as np


def cell_widths(thickness, cells, stretching):
    """Widths (m) of `cells` cells filling `thickness`, growing by `stretching` from both
    edges."""
    widths = []
    total = 0.0
    for i in range(cells):
        from_edge = min(i, cells - 1 - i)
        widths.append(float(stretching) ** from_edge)
        total += widths[-1]
    factor = thickness / total
    return [w * factor for w in widths]


class Grid:
    """positions: N float64 interface positions, m; materials: N int32 element materials
    (entry 0 unused, 0); layer_of_node: n entries, 0-based layer of node k (-1 ambient);
    layer_end_interface, layer_first_node, layer_last_node: per layer, 1-based numbers."""

    def __init__(self, layers, layer_material):
        positions = [0.0]
        materials = [0]
        layer_of_node = [-1]
        self.layer_first_node = []
        self.layer_end_interface = []
        self.layer_last_node = []
        start = 0.0
        for index, layer in enumerate(layers):
            widths = cell_widths(layer.thickness, layer.cells, layer.stretching)
            self.layer_first_node.append(len(positions) + 1)
            x = start
            for c, width in enumerate(widths):
                x += width
                # The layer's last position is its exact end, free of rounding in the sum.
                positions.append(start + layer.thickness if c + 1 == len(widths) else x)
                materials.append(layer_material[index])
                layer_of_node.append(index)
            start += layer.thickness
            self.layer_end_interface.append(len(positions))
            self.layer_last_node.append(len(positions))
        layer_of_node.append(-1)
        self.positions = np.array(positions, dtype=np.float64)
        self.materials = np.array(materials, dtype=np.int32)
        self.layer_of_node = np.array(layer_of_node, dtype=np.int32)

    @property
    def interface_count(self):
        return int(self.positions.size)

    @property
    def node_count(self):
        return self.interface_count + 1

    def node_centres(self):
        """Positions (m) of the n nodes: cell centres, the ambient nodes at the surfaces."""
        x = self.positions
        centres = np.empty(self.node_count)
        centres[0] = x[0]
        centres[1:-1] = 0.5 * (x[:-1] + x[1:])
        centres[-1] = x[-1]
        return centres

    def node_volumes(self):
        """Host convention of the water a node holds per unit area (m): the cell width,
        halved at both surface cells (as the library does). n entries, 0 at the ambient
        nodes."""
        big_n = self.interface_count
        volumes = np.zeros(self.node_count)
        for k in range(2, big_n + 1):
            v = self.positions[k - 1] - self.positions[k - 2]
            if k == 2:
                v *= 0.5
            if k == big_n:
                v *= 0.5
            volumes[k - 1] = v
        return volumes
