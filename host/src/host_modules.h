// The host's extension registry: the climate kinds a case side may choose and the
// top-level case sections owned by a module. Both lists live in host_modules.cpp; a
// module adds one entry there (no static registration).
#ifndef TAMO1D_HOST_MODULES_H
#define TAMO1D_HOST_MODULES_H

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "case_model.h"
#include "climate_provider.h"
#include "json_fields.h"

namespace tamo1d {

// Reads "climate.side_a" or "climate.side_b" (r is positioned on it; the field "kind" is
// already read; call r.finish() to reject unknown fields). side: 0 = A, 1 = B.
// baseDirectory: folder of relative file names. Throws CaseError.
using ClimateKindReader = std::function<std::shared_ptr<const SurfaceClimateProvider>(
    FieldReader& r, const std::string& baseDirectory, int side)>;

struct ClimateKind {
  std::string name;  // value of "kind"; the first entry is the default
  ClimateKindReader read;
};

const std::vector<ClimateKind>& climateKinds();

// Reads a top-level section (r is positioned on it; call r.finish()). Runs after the core
// sections, so c holds layers, surfaces, climate, time and outputs; it may replace a side's
// climate provider, add observers (c.observers) or summary items. Throws CaseError.
using CaseSectionReader =
    std::function<void(FieldReader& r, const std::string& baseDirectory, Case& c)>;

struct CaseSection {
  std::string name;  // top-level field name, e.g. "weather", "assessment"
  CaseSectionReader read;
};

const std::vector<CaseSection>& caseSections();

}  // namespace tamo1d

#endif
