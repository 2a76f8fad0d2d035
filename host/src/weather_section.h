// The weather file of a case and the climate kinds that use it:
//   "weather": {"file", "format", "latitude", "longitude", "time_zone", "elevation",
//               "start_year", "repeat"}                     top-level section
//   climate.side_x {"kind": "weather", "azimuth", "inclination", "albedo", "sky_diffuse",
//                   "terrain", "height", "topography", "obstruction", "wall_factor",
//                   "convection", "wind_factor"}           an exterior surface
//   climate.side_x {"kind": "en15026", "moisture_load": "normal" | "high"}   indoor air
// The side kinds are read with the climate (they keep their settings); the section, read
// afterwards, loads the file and gives those sides their providers. Fields and defaults:
// docs/case_format.md.
#ifndef TAMO1D_WEATHER_SECTION_H
#define TAMO1D_WEATHER_SECTION_H

#include <memory>
#include <string>

#include "case_model.h"
#include "json_fields.h"

namespace tamo1d {

std::shared_ptr<const SurfaceClimateProvider> readWeatherSideKind(FieldReader& r,
                                                                  const std::string& baseDirectory,
                                                                  int side);
std::shared_ptr<const SurfaceClimateProvider> readStandardIndoorKind(
    FieldReader& r, const std::string& baseDirectory, int side);
void readWeatherSection(FieldReader& r, const std::string& baseDirectory, Case& c);

}  // namespace tamo1d

#endif
