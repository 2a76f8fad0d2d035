#include "weather_section.h"

#include <cmath>
#include <filesystem>

#include "case_error.h"
#include "standard_indoor_climate.h"
#include "surface_climate_totals.h"
#include "weather/driving_rain.h"
#include "weather/weather_file.h"
#include "weather/weather_file_error.h"
#include "weather_side_climate.h"

namespace tamo1d {
namespace {

// A side that waits for the weather section: it holds what its kind read.
class PendingWeatherSide : public SurfaceClimateProvider {
 public:
  bool indoor = false;
  WeatherSideSettings exterior;
  weather::MoistureLoad load = weather::MoistureLoad::Normal;

  SideClimate at(double) const override { return {}; }
  std::string coverageProblem(double, double) const override {
    return "needs the top-level \"weather\" section (the weather file)";
  }
};

weather::TerrainCategory terrainNamed(const std::string& name) {
  if (name == "I") return weather::TerrainCategory::I;
  if (name == "III") return weather::TerrainCategory::III;
  if (name == "IV") return weather::TerrainCategory::IV;
  return weather::TerrainCategory::II;
}

}  // namespace

std::shared_ptr<const SurfaceClimateProvider> readWeatherSideKind(FieldReader& r,
                                                                  const std::string&, int) {
  auto pending = std::make_shared<PendingWeatherSide>();
  WeatherSideSettings& s = pending->exterior;
  s.surface.orientation.azimuth = r.number("azimuth", 0.0, 360.0);
  s.surface.orientation.inclination = r.number("inclination", 0.0, 180.0, 90.0);
  s.surface.albedo = r.number("albedo", 0.0, 1.0, 0.2);
  s.surface.skyModel = r.choice("sky_diffuse", {"perez", "isotropic"}, "perez") == "perez"
                           ? weather::SkyDiffuseModel::Perez
                           : weather::SkyDiffuseModel::Isotropic;
  const auto terrain = terrainNamed(r.choice("terrain", {"I", "II", "III", "IV"}, "II"));
  const double height = r.number("height", 0.0, 500.0, 10.0);
  s.surface.rainFactors.roughness = weather::roughnessCoefficient(terrain, height);
  s.surface.rainFactors.topography = r.number("topography", 0.0, 3.0, 1.0);
  s.surface.rainFactors.obstruction = r.number("obstruction", 0.0, 1.0, 1.0);
  s.surface.rainFactors.wall = r.number("wall_factor", 0.0, 1.0, 0.4);
  s.windConvection = r.choice("convection", {"constant", "wind"}, "constant") == "wind";
  s.windFactor = r.number("wind_factor", 0.0, 2.0, 1.0);
  r.finish();
  return pending;
}

std::shared_ptr<const SurfaceClimateProvider> readStandardIndoorKind(FieldReader& r,
                                                                     const std::string&, int) {
  auto pending = std::make_shared<PendingWeatherSide>();
  pending->indoor = true;
  pending->load = r.choice("moisture_load", {"normal", "high"}, "normal") == "high"
                      ? weather::MoistureLoad::High
                      : weather::MoistureLoad::Normal;
  r.finish();
  return pending;
}

void readWeatherSection(FieldReader& r, const std::string& baseDirectory, Case& c) {
  const std::string name = r.text("file");
  std::filesystem::path path(name);
  if (path.is_relative()) path = std::filesystem::path(baseDirectory) / path;
  const std::string extension = path.extension().string();
  const auto format = weather::weatherFormatNamed(
      r.choice("format", {"epw", "fmi_test_year"}, extension == ".prn" ? "fmi_test_year" : "epw"));
  weather::WeatherSite site;
  site.latitude = r.number("latitude", -90.0, 90.0, weather::kNotGiven);
  site.longitude = r.number("longitude", -180.0, 180.0, weather::kNotGiven);
  site.timeZone = r.number("time_zone", -12.0, 14.0, weather::kNotGiven);
  site.elevation = r.number("elevation", -1000.0, 9000.0, weather::kNotGiven);
  auto series = std::make_shared<weather::WeatherSeries>();
  try {
    *series = weather::readWeatherFile(path.string(), *format, site);
  } catch (const weather::WeatherFileError& e) {
    throw CaseError(c.file, r.pathOf("file"), e.what());
  }
  for (auto [field, value] : {std::pair{"latitude", series->site.latitude},
                              std::pair{"longitude", series->site.longitude},
                              std::pair{"time_zone", series->site.timeZone}}) {
    if (std::isnan(value)) r.fail(field, "is required: the weather file gives no site");
  }
  const int startYear = r.integer("start_year", -9999, 9999, series->year);
  const bool repeat = r.boolean("repeat", true);
  r.finish();
  if (startYear < series->year) r.fail("start_year", "is before the weather file's first year");
  for (const std::string& w : series->warnings) c.warnings.push_back(path.string() + ": " + w);

  const WeatherTimeline timeline(series, startYear, repeat);
  bool used = false;
  for (std::size_t s = 0; s < 2; ++s) {
    const auto* pending = dynamic_cast<const PendingWeatherSide*>(c.climate[s].get());
    if (!pending) continue;
    used = true;
    if (pending->indoor) {
      c.climate[s] = std::make_shared<StandardIndoorClimate>(timeline, pending->load);
      continue;
    }
    WeatherSideSettings settings = pending->exterior;
    settings.radiativePart = c.surfaces[s].radiativePart;
    c.surfaces[s].explicitLongWave = true;
    auto provider = std::make_shared<WeatherSideClimate>(timeline, settings);
    c.observers.push_back(surfaceClimateTotals(static_cast<int>(s)));
    c.climate[s] = std::move(provider);
  }
  if (!used) {
    throw CaseError(c.file, r.path(),
                    "no climate side uses the weather (\"kind\": \"weather\" or \"en15026\")");
  }
}

}  // namespace tamo1d
