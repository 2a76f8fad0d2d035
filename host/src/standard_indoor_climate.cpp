#include "standard_indoor_climate.h"

namespace tamo1d {

StandardIndoorClimate::StandardIndoorClimate(WeatherTimeline timeline, weather::MoistureLoad load)
    : timeline_(std::move(timeline)) {
  const weather::WeatherSeries& s = timeline_.series();
  for (double mean : weather::dailyMeanPerRecord(s.hour, s.airTemperature)) {
    indoor_.push_back(weather::en15026IndoorAir(mean, load));
  }
}

SideClimate StandardIndoorClimate::at(double hour) const {
  // The day of the middle of the weather hour that ends at `hour`: a step ending at 24:00
  // still belongs to its day.
  const weather::IndoorAir& air = indoor_[timeline_.recordAtOrBefore(hour - 0.5)];
  SideClimate side;
  side.temperature = air.temperature;
  side.humidity = air.humidity;
  return side;
}

std::string StandardIndoorClimate::coverageProblem(double fromHour, double toHour) const {
  return timeline_.coverageProblem(fromHour, toHour);
}

}  // namespace tamo1d
