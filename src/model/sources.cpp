// PLACEHOLDER: replace with the real implementation.
#include "model/sources.h"
#include "model/context.h"

namespace tamo {

int32_t defineSource(Context&, int32_t, int32_t, int32_t, int32_t, double, double, const double*) { return 0; }
void updateSource(Context&, int32_t, const double*) {}
void refreshSourcesFromClimate(Context&) {}
void addHeatSourceTerms(const Context&, int32_t, double, double&, double&) {}
void heatSourceTerms(const Context&, const Source&, int32_t, double, double&, double&) {}
void addMoistureSourceTerms(Context&, int32_t, const HostArray<double>&, double, double, double, double&, double&) {}
void moistureSourceTerms(const Context&, Source&, int32_t, const HostArray<double>&, double, double, double, double&, double&) {}

}  // namespace tamo
