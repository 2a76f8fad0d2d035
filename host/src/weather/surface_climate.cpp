#include "weather/surface_climate.h"

#include <cmath>

#include "weather/calendar.h"
#include "weather/sky_long_wave.h"
#include "weather/solar_position.h"

namespace tamo1d::weather {

SurfaceClimate surfaceClimate(const WeatherSeries& series, const SurfaceSettings& settings) {
  const std::size_t n = series.size();
  SurfaceClimate out;
  out.shortWave.resize(n);
  out.beam.resize(n);
  out.skyInfrared.resize(n);
  out.counterRadiation.resize(n);
  out.rain.resize(n);

  std::vector<double> zenith(n);
  std::vector<double> day(n);
  for (std::size_t i = 0; i < n; ++i) {
    const double middle = series.hour[i] - 0.5;
    day[i] = std::floor(middle / 24.0);
    const SolarPosition sun = solarPosition(series.site, series.year, middle);
    zenith[i] = sun.zenith;
    const TiltedIrradiance tilted = tiltedIrradiance(
        sun, settings.orientation, {series.globalHorizontal[i], series.diffuseHorizontal[i]},
        extraterrestrialNormal(day[i]), settings.albedo, settings.skyModel);
    out.shortWave[i] = tilted.total();
    out.beam[i] = tilted.beam;
    const double t = series.airTemperature[i];
    const double rain = rainOnSurface(series.windSpeed[i], series.windDirection[i],
                                      series.precipitation[i], settings.orientation.azimuth,
                                      settings.orientation.inclination, settings.rainFactors);
    out.rain[i] = t < 0.0 ? 0.0 : rain;  // below 0 degC it falls as snow or freezes
  }

  const std::vector<double> sunshineCloud =
      cloudFractionFromSunshine(series.globalHorizontal, zenith);
  const double skyView = skyViewFactor(settings.orientation);
  for (std::size_t i = 0; i < n; ++i) {
    const double t = series.airTemperature[i];
    double sky = series.horizontalInfrared[i];
    if (std::isnan(sky)) {
      const double cover = series.opaqueSkyCover[i];
      const double cloud = std::isnan(cover) ? sunshineCloud[i] : cover / 10.0;
      const int month = monthOfDay(static_cast<int>(day[i] < 0.0 ? 0.0 : day[i]), series.leapYear);
      sky = skyEmissivity(t, series.dewPoint[i], cloud, month) * kStefanBoltzmann *
            std::pow(t + 273.15, 4);
    }
    out.skyInfrared[i] = sky;
    out.counterRadiation[i] = counterRadiation(sky, t, skyView);
  }
  return out;
}

SurfaceSums surfaceSums(const SurfaceClimate& climate) {
  SurfaceSums sums;
  for (double q : climate.shortWave) sums.solarIrradiation += q / 1000.0;
  for (double r : climate.rain) sums.rain += r;
  return sums;
}

}  // namespace tamo1d::weather
