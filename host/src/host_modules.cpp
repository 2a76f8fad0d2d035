#include "host_modules.h"

#include "climate_reader.h"
#include "weather_section.h"

namespace tamo1d {

const std::vector<ClimateKind>& climateKinds() {
  static const std::vector<ClimateKind> kinds = {
      {"signals", readSignalClimate},
      {"weather", readWeatherSideKind},
      {"en15026", readStandardIndoorKind},
  };
  return kinds;
}

const std::vector<CaseSection>& caseSections() {
  static const std::vector<CaseSection> sections = {
      {"weather", readWeatherSection},
  };
  return sections;
}

}  // namespace tamo1d
