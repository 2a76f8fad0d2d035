#include "weather_side_climate.h"

#include <limits>

#include "weather/convective_coefficient.h"

namespace tamo1d {

WeatherSideClimate::WeatherSideClimate(WeatherTimeline timeline,
                                       const WeatherSideSettings& settings)
    : timeline_(std::move(timeline)),
      settings_(settings),
      climate_(weather::surfaceClimate(timeline_.series(), settings.surface)) {}

SideClimate WeatherSideClimate::at(double hour) const {
  const weather::WeatherSeries& s = timeline_.series();
  const std::size_t record = timeline_.intervalRecord(hour);
  SideClimate side;
  side.temperature = timeline_.instantaneous(s.airTemperature, hour);
  side.humidity = std::min(1.0, timeline_.instantaneous(s.relativeHumidity, hour));
  side.radiation = climate_.shortWave[record];
  side.counterRadiation = climate_.counterRadiation[record];
  side.rain = climate_.rain[record];
  if (settings_.windConvection) {
    side.heatTransfer = weather::convectiveCoefficient(timeline_.instantaneous(s.windSpeed, hour),
                                                       settings_.windFactor) +
                        settings_.radiativePart;
  }
  return side;
}

bool WeatherSideClimate::pressureAt(double hour, double* pascal) const {
  *pascal = timeline_.instantaneous(timeline_.series().pressure, hour);
  return true;
}

std::string WeatherSideClimate::coverageProblem(double fromHour, double toHour) const {
  return timeline_.coverageProblem(fromHour, toHour);
}

}  // namespace tamo1d
