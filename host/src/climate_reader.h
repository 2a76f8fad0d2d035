// Reads the "climate" section of a case: per side constant values, cosine cycles or an
// hourly CSV file, and the barometric pressure.
#ifndef TAMO1D_CLIMATE_READER_H
#define TAMO1D_CLIMATE_READER_H

#include <memory>
#include <string>

#include "case_model.h"
#include "json_fields.h"

namespace tamo1d {

// A number, or {"mean", "annual_amplitude", "annual_peak_day", "daily_amplitude",
// "daily_peak_hour", "cycles": [{"period_hours", "amplitude", "peak_hour"}], "min", "max"}.
// Values (also after the cycles are added) must stay within [lowest, highest] for the
// physical quantity; a clip range narrower than that is allowed.
Signal readSignal(const Json& value, const std::string& file, const std::string& path,
                  double lowest, double highest);

// The built-in climate kind "signals" of one side (constants, cycles, CSV columns).
std::shared_ptr<const SurfaceClimateProvider> readSignalClimate(FieldReader& r,
                                                                const std::string& caseDirectory,
                                                                int side);

// Fills c.climate (per side the provider of its "kind") and c.pressure from the "climate" object.
// Relative CSV paths are taken from caseDirectory.
void readClimate(FieldReader& root, const std::string& caseDirectory, Case& c);

}  // namespace tamo1d

#endif
