// Grid generation: cells fill each layer exactly, grow by the stretching ratio from both
// layer edges, and the element materials and layer boundaries line up with the library's
// node numbering.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "grid_builder.h"
#include "monitor_position.h"

namespace tamo1d {
namespace {

TEST(GridBuilder, CellWidthsFillTheLayerAndGrowFromBothEdges) {
  const std::vector<double> w = cellWidths(0.24, 9, 1.2);
  ASSERT_EQ(w.size(), 9u);
  EXPECT_NEAR(std::accumulate(w.begin(), w.end(), 0.0), 0.24, 1e-15);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_NEAR(w[i + 1] / w[i], 1.2, 1e-12) << "growth towards the middle at " << i;
    EXPECT_NEAR(w[i], w[8 - i], 1e-15) << "symmetry at " << i;
  }
  // Geometric series 2 (1 + r + r^2 + r^3) + r^4 gives the first width by hand.
  const double r = 1.2, first = 0.24 / (2.0 * (1 + r + r * r + r * r * r) + std::pow(r, 4));
  EXPECT_NEAR(w[0], first, 1e-15);

  const std::vector<double> uniform = cellWidths(0.1, 4, 1.0);
  for (double x : uniform) EXPECT_DOUBLE_EQ(x, 0.025);
}

TEST(GridBuilder, LayersMapToElementsNodesAndBoundaries) {
  std::vector<LayerDefinition> layers(3);
  layers[0].thickness = 0.015, layers[0].cells = 3, layers[0].stretching = 1.5;
  layers[1].thickness = 0.24, layers[1].cells = 5, layers[1].stretching = 1.3;
  layers[2].thickness = 0.06, layers[2].cells = 2;
  const Grid g = buildGrid(layers, {2, 1, 2});

  ASSERT_EQ(g.interfaceCount(), 1 + 3 + 5 + 2);  // N positions
  ASSERT_EQ(g.nodeCount(), g.interfaceCount() + 1);
  EXPECT_EQ(g.positions.front(), 0.0);
  EXPECT_DOUBLE_EQ(g.positions.back(), 0.315);
  for (std::size_t i = 1; i < g.positions.size(); ++i)
    EXPECT_GT(g.positions[i], g.positions[i - 1]);

  // Element k (entry k-1) lies between positions k-1 and k; element 1 does not exist.
  EXPECT_EQ(g.materials[0], 0);
  const std::vector<int32_t> expected = {0, 2, 2, 2, 1, 1, 1, 1, 1, 2, 2};
  EXPECT_EQ(g.materials, expected);

  // Layer ends: interfaces 4 and 9 sit exactly at the layer boundaries; the last layer
  // ends at surface B (interface N).
  EXPECT_EQ(g.layerEndInterface, (std::vector<int>{4, 9, 11}));
  EXPECT_DOUBLE_EQ(g.positions[3], 0.015);
  EXPECT_DOUBLE_EQ(g.positions[8], 0.255);
  EXPECT_EQ(g.layerFirstNode, (std::vector<int>{2, 5, 10}));
  EXPECT_EQ(g.layerLastNode, (std::vector<int>{4, 9, 11}));

  // Ambient nodes carry no layer; interior node k belongs to the layer of element k.
  EXPECT_EQ(g.layerOfNode.front(), -1);
  EXPECT_EQ(g.layerOfNode.back(), -1);
  for (int k = 2; k <= g.interfaceCount(); ++k) {
    const int layer = g.layerOfNode[static_cast<std::size_t>(k - 1)];
    EXPECT_EQ(g.materials[static_cast<std::size_t>(k - 1)], layer == 1 ? 1 : 2) << "node " << k;
  }
  EXPECT_DOUBLE_EQ(g.nodeCentre(2), 0.5 * g.positions[1]);

  // Monitors: surfaces and layer boundaries take the cells next to them; a depth takes the
  // cell of its layer that holds the point (cell k spans positions k-1 .. k, 1-based).
  using Kind = MonitorPosition::Kind;
  EXPECT_EQ(monitorNode({Kind::Surface, 1, 0, 0.0}, g), 11);
  for (int layer = 0; layer < 3; ++layer) {
    const std::size_t l = static_cast<std::size_t>(layer);
    EXPECT_EQ(monitorNode({Kind::Interface, 0, layer, 0.0}, g), g.layerFirstNode[l]);
    EXPECT_EQ(monitorNode({Kind::Interface, 1, layer, 0.0}, g), g.layerLastNode[l]);
    const double start =
        layer == 0 ? 0.0 : g.positions[static_cast<std::size_t>(g.layerEndInterface[l - 1] - 1)];
    for (double depth = 0.0; depth <= layers[l].thickness; depth += layers[l].thickness / 7.0) {
      const int k = monitorNode({Kind::Depth, 0, layer, depth}, g);
      EXPECT_EQ(g.layerOfNode[static_cast<std::size_t>(k - 1)], layer) << layer << " " << depth;
      EXPECT_LE(g.positions[static_cast<std::size_t>(k - 2)], start + depth + 1e-12);
      EXPECT_GE(g.positions[static_cast<std::size_t>(k - 1)], start + depth - 1e-12);
    }
  }
}

}  // namespace
}  // namespace tamo1d
