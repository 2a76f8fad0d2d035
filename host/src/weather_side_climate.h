// Climate of an exterior surface taken from a weather file: air temperature and humidity
// interpolated between the records; short-wave irradiance on the surface, long-wave
// counter-radiation and rain on the surface as means over each weather hour (the hour that
// ends at the record's time stamp); the kernel runs with explicit long-wave exchange.
// Optionally the convective coefficient follows the wind (EN ISO 6946, 4 + 4 v).
#ifndef TAMO1D_WEATHER_SIDE_CLIMATE_H
#define TAMO1D_WEATHER_SIDE_CLIMATE_H

#include <memory>

#include "climate_provider.h"
#include "weather/surface_climate.h"
#include "weather_timeline.h"

namespace tamo1d {

// What the case asks for an exterior side of kind "weather".
struct WeatherSideSettings {
  weather::SurfaceSettings surface;
  bool windConvection = false;  // h_c = 4 + 4 v instead of the surface's constant
  double windFactor = 1.0;      // wind at the surface / wind at 10 m
  double radiativePart = 0.0;   // W/(m2 K), added to h_c: the kernel subtracts it again
};

class WeatherSideClimate : public SurfaceClimateProvider {
 public:
  WeatherSideClimate(WeatherTimeline timeline, const WeatherSideSettings& settings);

  SideClimate at(double hour) const override;
  bool pressureAt(double hour, double* pascal) const override;
  std::string coverageProblem(double fromHour, double toHour) const override;
  const weather::SurfaceClimate& surfaceClimate() const { return climate_; }

 private:
  WeatherTimeline timeline_;
  WeatherSideSettings settings_;
  weather::SurfaceClimate climate_;  // per weather record
};

}  // namespace tamo1d

#endif
