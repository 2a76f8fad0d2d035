// Heat, moisture and air-exchange sources: definition, update, climate refresh, and the
// terms they add to the rows of the heat and moisture balances.
//
// Every term is linearised so that the diagonal never decreases: a heat source acts as a
// conductance towards 1200 degC (a sink from -270 degC), a moisture source towards relative
// humidity 1 (a sink towards 1e-16). At the iterate each term delivers exactly the source
// strength, d - b * x = strength.
#pragma once

#include <cstdint>

#include "model/one_based.h"

namespace tamo {

struct Context;
struct Source;

// Highest source number the table grows to; a larger number would make it hold that many
// records (about 120 bytes each), so it counts as a table that cannot be enlarged.
inline constexpr int32_t kMaxSourceNumber = 65536;

// Defines source `number` after the frame's checks (number >= 1, type 0..2). Tests, in
// this order: -13 the number is already in a source list; -7 no grid; -22 an air exchange
// (type 2) whose side is not 1 or 2; -21 values null; -11 the table or a list cannot be
// enlarged (also for a number above kMaxSourceNumber). A refused call changes nothing.
// Returns 0 on success.
int32_t defineSource(Context& ctx, int32_t number, int32_t type, int32_t subtype, int32_t side,
                     double start, double thickness, const double* values);

// Changes the value of an active source (values may be null) and refreshes it from the
// climate of its side. An inactive record is left unchanged. number in 1..sourceCount.
void updateSource(Context& ctx, int32_t number, const double* values);

// Climate refresh of every active, climate-coupled source (after a climate update).
void refreshSourcesFromClimate(Context& ctx);

// Heat source terms of every active heat source whose range holds interior node i, at
// iterate temperature Ti [degC]: added to diagonal b and right-hand side d. Allocates
// nothing, takes no lock.
void addHeatSourceTerms(const Context& ctx, int32_t i, double Ti, double& b, double& d);

// Terms of one heat source at node i (i must lie in its range).
void heatSourceTerms(const Context& ctx, const Source& s, int32_t i, double Ti, double& b,
                     double& d);

// Moisture source terms of every active moisture source whose range holds node i.
// T: node temperatures [degC]; phi_i, psat_i [Pa]: humidity and saturation pressure of node
// i; fillCapRate: the largest rate the air-filled pores take per volume [kg/(m3 s)].
// An infiltration source stores its rate in the record (atomically: the threads owning the
// nodes of its range write the same value). Allocates nothing, takes no lock.
void addMoistureSourceTerms(Context& ctx, int32_t i, const HostArray<double>& T, double phi_i,
                            double psat_i, double fillCapRate, double& b, double& d);

// Terms of one moisture source at node i (i must lie in its range). Writes the
// infiltration rate into the record.
void moistureSourceTerms(const Context& ctx, Source& s, int32_t i, const HostArray<double>& T,
                         double phi_i, double psat_i, double fillCapRate, double& b, double& d);
// The same over a read-only temperature array (result queries).
void moistureSourceTerms(const Context& ctx, Source& s, int32_t i, const HostArray<const double>& T,
                         double phi_i, double psat_i, double fillCapRate, double& b, double& d);

}  // namespace tamo
