#include "finite_check.h"

#include <cmath>
#include <sstream>

namespace tamo1d {

namespace {

std::string describe(const Grid& grid, const char* quantity, double value, std::size_t entry) {
  std::ostringstream text;
  text << "non-finite " << quantity << " (" << value << ") at node " << entry + 1;
  const int layer = grid.layerOfNode[entry];
  if (layer >= 0) {
    text << " (layer " << layer + 1 << ")";
  } else {
    text << " (ambient air of side " << (entry == 0 ? 'A' : 'B') << ")";
  }
  return text.str();
}

}  // namespace

std::string findNonFinite(const Grid& grid, const std::vector<double>& temperature,
                          const std::vector<double>& humidity,
                          const std::vector<double>& waterContent) {
  const std::size_t n = temperature.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (!std::isfinite(temperature[i])) return describe(grid, "temperature", temperature[i], i);
    if (!std::isfinite(humidity[i])) return describe(grid, "humidity", humidity[i], i);
    if (i > 0 && i + 1 < n && !std::isfinite(waterContent[i])) {
      return describe(grid, "water content", waterContent[i], i);
    }
  }
  return "";
}

}  // namespace tamo1d
