// Builds the interface positions and element materials of a layered component. Each layer
// is split into cells that grow geometrically by the stretching ratio from both layer
// edges towards the middle, so the grid is fine at the surfaces and at every layer
// boundary, where the gradients are steepest.
#ifndef TAMO1D_GRID_BUILDER_H
#define TAMO1D_GRID_BUILDER_H

#include <cstdint>
#include <vector>

#include "case_model.h"

namespace tamo1d {

// Node numbering follows the library: N interface positions, n = N+1 nodes, node 1 and n
// the ambient air, interior node k (2..N) the element between positions k-1 and k. The
// vectors below are C arrays: entry k-1 belongs to node, element or interface k.
struct Grid {
  std::vector<double> positions;       // N interface positions, m (first 0, last = total)
  std::vector<int32_t> materials;      // N element materials; entry 0 (element 1) unused = 0
  std::vector<int> layerOfNode;        // n entries: layer index (0-based) of node k, -1 ambient
  std::vector<int> layerEndInterface;  // per layer: interface number k at its B-side edge
  std::vector<int> layerFirstNode;     // per layer: first node number k of the layer
  std::vector<int> layerLastNode;      // per layer: last node number k of the layer

  int interfaceCount() const { return static_cast<int>(positions.size()); }
  int nodeCount() const { return interfaceCount() + 1; }
  // Centre of interior node k (2..N), m.
  double nodeCentre(int k) const;
};

// Widths of `cells` cells filling `thickness`, growing by `stretching` from both edges.
std::vector<double> cellWidths(double thickness, int cells, double stretching);

// The default grid of a layer: cells growing by kDefaultStretching from both edges, the
// fewest for which the edge cells are at most defaultEdgeCell wide. The half surface cell
// adds its resistance to the surface's, so a layer at a surface gets edge cells of at most
// 0.4 % of its thickness: the steady heat flux is then within 0.5 % of a grid four times
// finer whatever the conductivity.
inline constexpr double kDefaultStretching = 1.2;
inline constexpr double kDefaultEdgeCell = 1e-3;  // m, inside the component
double defaultEdgeCell(double thickness, bool atSurface);
int defaultCellCount(double thickness, double edgeCell);

// layerMaterial[l]: library material number (>= 1) of layer l.
Grid buildGrid(const std::vector<LayerDefinition>& layers,
               const std::vector<int32_t>& layerMaterial);

}  // namespace tamo1d

#endif
