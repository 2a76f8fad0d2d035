// Heat, moisture and air-exchange sources: definition, update, climate refresh, and the
// terms they add to the rows of the heat and moisture balances.
#pragma once

#include <cstdint>

#include "model/one_based.h"

namespace tamo {

struct Context;
struct Source;

// Defines source `number` after the frame's checks (number >= 1, type 0..2). Returns 0,
// -13 when the number is already defined, -22 for an air exchange without ambient side,
// or -11 (nothing changed).
int32_t defineSource(Context& ctx, int32_t number, int32_t type, int32_t subtype, int32_t side,
                     double start, double thickness, const double* values);

// Changes the value of an active source (values may be null) and refreshes it from the
// climate of its side.
void updateSource(Context& ctx, int32_t number, const double* values);

// Climate refresh of every active, climate-coupled source (after a climate update).
void refreshSourcesFromClimate(Context& ctx);

// Heat source terms of every active heat source whose range holds interior node i, at
// iterate temperature Ti: added to diagonal b and right-hand side d.
void addHeatSourceTerms(const Context& ctx, int32_t i, double Ti, double& b, double& d);

// Terms of one heat source at node i (i must lie in its range).
void heatSourceTerms(const Context& ctx, const Source& s, int32_t i, double Ti, double& b,
                     double& d);

// Moisture source terms of every active moisture source whose range holds node i.
// fillCapRate: the largest rate the air-filled pores take per volume [kg/(m3 s)].
void addMoistureSourceTerms(Context& ctx, int32_t i, const HostArray<double>& T, double phi_i,
                            double psat_i, double fillCapRate, double& b, double& d);

// Terms of one moisture source at node i (i must lie in its range). Writes the
// infiltration rate into the record.
void moistureSourceTerms(const Context& ctx, Source& s, int32_t i, const HostArray<double>& T,
                         double phi_i, double psat_i, double fillCapRate, double& b,
                         double& d);

}  // namespace tamo
