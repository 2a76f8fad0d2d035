#include "monitor_position.h"

namespace tamo1d {

int monitorLayer(const MonitorPosition& position, int layerCount) {
  if (position.kind == MonitorPosition::Kind::Surface) {
    return position.side == 0 ? 0 : layerCount - 1;
  }
  return position.layer;
}

int monitorNode(const MonitorPosition& position, const Grid& grid) {
  const std::size_t layer = static_cast<std::size_t>(position.layer);
  switch (position.kind) {
    case MonitorPosition::Kind::Surface:
      return position.side == 0 ? 2 : grid.interfaceCount();
    case MonitorPosition::Kind::Interface:
      return position.side == 0 ? grid.layerFirstNode[layer] : grid.layerLastNode[layer];
    case MonitorPosition::Kind::Depth:
      break;
  }
  // Node k is the cell between positions k-1 and k (1-based): the first cell of the layer
  // whose side-B edge lies at or beyond the point.
  const int first = grid.layerFirstNode[layer];
  const double point = grid.positions[static_cast<std::size_t>(first - 2)] + position.depth;
  int k = first;
  while (k < grid.layerLastNode[layer] && grid.positions[static_cast<std::size_t>(k - 1)] < point) {
    ++k;
  }
  return k;
}

}  // namespace tamo1d
