#include "host_modules.h"

#include "climate_reader.h"

namespace tamo1d {

const std::vector<ClimateKind>& climateKinds() {
  static const std::vector<ClimateKind> kinds = {
      {"signals", readSignalClimate},
      // Further kinds (weather files with orientation, standard indoor climates) here.
  };
  return kinds;
}

const std::vector<CaseSection>& caseSections() {
  static const std::vector<CaseSection> sections = {
      // {"weather", readWeatherSection}, {"assessment", readAssessmentSection}, ...
  };
  return sections;
}

}  // namespace tamo1d
