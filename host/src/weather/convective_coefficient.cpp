#include "weather/convective_coefficient.h"

#include <algorithm>

namespace tamo1d::weather {

double convectiveCoefficient(double windSpeed, double windFactor) {
  return 4.0 + 4.0 * std::max(0.0, windSpeed * windFactor);
}

}  // namespace tamo1d::weather
