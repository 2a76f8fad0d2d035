// Indoor climate of EN 15026:2007 Annex C on a side of kind "en15026": air temperature and
// relative humidity from the daily mean outdoor air temperature of the weather file
// (normal or high moisture load), constant through each calendar day of the weather (the
// records stamped 00:00 .. 23:00 of the day; a step takes the day of the middle of its hour).
#ifndef TAMO1D_STANDARD_INDOOR_CLIMATE_H
#define TAMO1D_STANDARD_INDOOR_CLIMATE_H

#include <vector>

#include "climate_provider.h"
#include "weather/indoor_climate_en15026.h"
#include "weather_timeline.h"

namespace tamo1d {

class StandardIndoorClimate : public SurfaceClimateProvider {
 public:
  StandardIndoorClimate(WeatherTimeline timeline, weather::MoistureLoad load);

  SideClimate at(double hour) const override;
  std::string coverageProblem(double fromHour, double toHour) const override;

 private:
  WeatherTimeline timeline_;
  std::vector<weather::IndoorAir> indoor_;  // per weather record
};

}  // namespace tamo1d

#endif
