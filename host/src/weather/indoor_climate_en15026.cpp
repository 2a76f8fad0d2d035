#include "weather/indoor_climate_en15026.h"

#include <algorithm>
#include <cmath>

namespace tamo1d::weather {

IndoorAir en15026IndoorAir(double dailyMeanOutdoor, MoistureLoad load) {
  const double t = dailyMeanOutdoor;
  IndoorAir air;
  air.temperature = 20.0 + 0.5 * std::clamp(t - 10.0, 0.0, 10.0);
  air.humidity = 0.30 + 0.01 * std::clamp(t + 10.0, 0.0, 30.0);
  if (load == MoistureLoad::High) air.humidity += 0.10;
  return air;
}

std::vector<double> dailyMeanPerRecord(const std::vector<double>& hour,
                                       const std::vector<double>& values) {
  std::vector<double> means(values.size());
  std::size_t begin = 0;
  while (begin < values.size()) {
    const double day = std::floor(hour[begin] / 24.0);
    std::size_t end = begin;
    double sum = 0.0;
    while (end < values.size() && std::floor(hour[end] / 24.0) == day) sum += values[end++];
    std::fill(means.begin() + begin, means.begin() + end, sum / static_cast<double>(end - begin));
    begin = end;
  }
  return means;
}

}  // namespace tamo1d::weather
