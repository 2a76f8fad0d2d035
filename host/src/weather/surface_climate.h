// Converts a weather series into what one exterior surface receives, hour by hour:
// short-wave irradiance (beam, sky diffuse, ground-reflected), long-wave counter-radiation
// and liquid rain on the surface. Radiation and rain are means over the hour that ends at
// each record's time stamp, evaluated with the sun at the middle of that hour.
#ifndef TAMO1D_WEATHER_SURFACE_CLIMATE_H
#define TAMO1D_WEATHER_SURFACE_CLIMATE_H

#include <vector>

#include "weather/driving_rain.h"
#include "weather/tilted_irradiance.h"
#include "weather/weather_series.h"

namespace tamo1d::weather {

struct SurfaceSettings {
  SurfaceOrientation orientation;
  double albedo = 0.2;  // [-] short-wave reflectance of the ground
  SkyDiffuseModel skyModel = SkyDiffuseModel::Perez;
  DrivingRainFactors rainFactors;
};

// One entry per weather record (same time stamps).
struct SurfaceClimate {
  std::vector<double> shortWave;         // [W/m2] total short-wave irradiance on the surface
  std::vector<double> beam;              // [W/m2] its beam part
  std::vector<double> skyInfrared;       // [W/m2] sky long-wave on the horizontal
  std::vector<double> counterRadiation;  // [W/m2] long-wave reaching the surface (sky + ground)
  std::vector<double> rain;              // [kg/(m2 h)] liquid rain on the surface
};

// The series' site must be complete (latitude, longitude, time zone).
SurfaceClimate surfaceClimate(const WeatherSeries& series, const SurfaceSettings& settings);

// Sums over all records: short-wave irradiation in kWh/m2 and rain in kg/m2.
struct SurfaceSums {
  double solarIrradiation = 0.0;  // [kWh/m2]
  double rain = 0.0;              // [kg/m2]
};
SurfaceSums surfaceSums(const SurfaceClimate& climate);

}  // namespace tamo1d::weather

#endif
