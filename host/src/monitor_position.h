// Where an assessment monitor sits in the component: at a surface, at a layer boundary
// (the cell of the given layer next to it) or at a depth inside a layer (the cell holding
// that point). Monitors take the values of that cell; the grid is refined towards surfaces
// and layer boundaries, so the cell's centre lies close to the named position.
#ifndef TAMO1D_MONITOR_POSITION_H
#define TAMO1D_MONITOR_POSITION_H

#include "grid_builder.h"

namespace tamo1d {

struct MonitorPosition {
  enum class Kind { Surface, Interface, Depth };
  Kind kind = Kind::Surface;
  int side = 0;        // Surface, Interface: 0 = side A, 1 = side B of the component / layer
  int layer = 0;       // Interface, Depth: 0-based layer
  double depth = 0.0;  // Depth: m from the layer's side-A edge
};

// Library node number k (2..N) of the cell that represents the position.
int monitorNode(const MonitorPosition& position, const Grid& grid);

// 0-based layer the position lies in.
int monitorLayer(const MonitorPosition& position, int layerCount);

}  // namespace tamo1d

#endif
