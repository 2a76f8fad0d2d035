#include "grid_builder.h"

#include <algorithm>
#include <cmath>

namespace tamo1d {

double Grid::nodeCentre(int k) const {
  const std::size_t i = static_cast<std::size_t>(k);
  return 0.5 * (positions[i - 2] + positions[i - 1]);
}

std::vector<double> cellWidths(double thickness, int cells, double stretching) {
  std::vector<double> widths(static_cast<std::size_t>(cells));
  double sum = 0.0;
  for (int i = 0; i < cells; ++i) {
    const int fromEdge = std::min(i, cells - 1 - i);
    widths[static_cast<std::size_t>(i)] = std::pow(stretching, fromEdge);
    sum += widths[static_cast<std::size_t>(i)];
  }
  for (double& w : widths) w *= thickness / sum;
  return widths;
}

double defaultEdgeCell(double thickness, bool atSurface) {
  return atSurface ? std::min(kDefaultEdgeCell, 0.004 * thickness) : kDefaultEdgeCell;
}

int defaultCellCount(double thickness, double edgeCell) {
  int cells = 1;
  while (cells < 20000 && cellWidths(thickness, cells, kDefaultStretching).front() > edgeCell) {
    ++cells;
  }
  return cells;
}

Grid buildGrid(const std::vector<LayerDefinition>& layers,
               const std::vector<int32_t>& layerMaterial) {
  Grid grid;
  grid.positions.push_back(0.0);
  grid.materials.push_back(0);
  grid.layerOfNode.push_back(-1);  // node 1: ambient air of side A
  double layerStart = 0.0;
  for (std::size_t l = 0; l < layers.size(); ++l) {
    const LayerDefinition& layer = layers[l];
    const std::vector<double> widths = cellWidths(layer.thickness, layer.cells, layer.stretching);
    grid.layerFirstNode.push_back(grid.interfaceCount() + 1);
    double x = layerStart;
    for (std::size_t c = 0; c < widths.size(); ++c) {
      x += widths[c];
      // The layer's last position is its exact end, free of rounding in the sum.
      grid.positions.push_back(c + 1 == widths.size() ? layerStart + layer.thickness : x);
      grid.materials.push_back(layerMaterial[l]);
      grid.layerOfNode.push_back(static_cast<int>(l));
    }
    layerStart += layer.thickness;
    grid.layerEndInterface.push_back(grid.interfaceCount());
    grid.layerLastNode.push_back(grid.interfaceCount());
  }
  grid.layerOfNode.push_back(-1);  // node n: ambient air of side B
  return grid;
}

}  // namespace tamo1d
