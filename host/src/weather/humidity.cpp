#include "weather/humidity.h"

#include <cmath>

namespace tamo1d::weather {

double saturationVapourPressure(double celsius) {
  if (celsius >= 0.0) return 610.5 * std::exp(17.269 * celsius / (237.3 + celsius));
  return 610.5 * std::exp(21.875 * celsius / (265.5 + celsius));
}

double dewPointOf(double pascal) {
  const double x = std::log(pascal / 610.5);
  if (x >= 0.0) return 237.3 * x / (17.269 - x);
  return 265.5 * x / (21.875 - x);
}

}  // namespace tamo1d::weather
