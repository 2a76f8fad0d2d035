// Sources through the whole chain, against their balances: on a sealed isothermal wall a
// moisture source adds exactly its value times the time, and at steady state a heat source
// leaves the wall through its two surfaces.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "run_support.h"

namespace tamo1d::testing {
namespace {

using nlohmann::json;

json wall(const json& source, const json& solver, double hours) {
  json c;
  c["materials"]["m"] = {{"density", 500},
                         {"porosity", 0.5},
                         {"heat_capacity", 1000},
                         {"storage", {{"table", {{0.3, 3}, {0.6, 6}, {0.9, 9}}}}},
                         {"conductivity_moisture", {{"parameters", {{"dry", 0.1}}}}},
                         {"vapour_resistance", {{"constant", 10}}}};
  c["layers"] = {{{"material", "m"}, {"thickness", 0.1}}};
  c["initial"] = {{"temperature", 20}, {"humidity", 0.5}};
  const json sealed = {{"heat_transfer", 10}, {"sd", 1e5}};
  c["surfaces"] = {{"side_a", sealed}, {"side_b", sealed}};
  const json air = {{"temperature", 20}, {"humidity", 0.5}};
  c["climate"] = {{"side_a", air}, {"side_b", air}};
  c["sources"] = {source};
  c["solver"] = solver;
  c["time"] = {{"duration_hours", hours}, {"step_seconds", 3600}};
  c["outputs"]["time_series"] = {{"file", "series.csv"},
                                 {"interval_hours", hours / 2},
                                 {"quantities", {"total_water", "heat_flux_a", "heat_flux_b"}}};
  return c;
}

TEST(PhysicsSources, MoistureSourceAddsItsHourlyValue) {
  const json source = {
      {"kind", "moisture"}, {"start", 0.02}, {"thickness", 0.05}, {"value", 0.001}};
  const Table t = seriesOfQuietRun(
      "source_moisture",
      wall(source, {{"heat_transport", false}, {"liquid_transport", false}}, 100).dump());
  ASSERT_EQ(t.rows, 2u);
  // 0.001 kg/(m2 h) for the 50 h between the two rows; the sealed surfaces let 1e-5 out.
  EXPECT_NEAR(t.at("total_water")[1] - t.at("total_water")[0], 0.05, 0.0005);
}

TEST(PhysicsSources, HeatSourceLeavesThroughBothSurfacesAtSteadyState) {
  const json source = {{"kind", "heat"}, {"start", 0.0}, {"thickness", 0.1}, {"value", 10.0}};
  const Table t = seriesOfQuietRun("source_heat",
                                   wall(source, {{"moisture_transport", false}}, 24 * 20).dump());
  // Heat fluxes count from side A to side B: out through A is negative, out through B positive.
  EXPECT_NEAR(t.at("heat_flux_b").back() - t.at("heat_flux_a").back(), 10.0, 0.05);
  EXPECT_NEAR(t.at("heat_flux_b").back(), 5.0, 0.05);  // symmetric wall: half each way
}

}  // namespace
}  // namespace tamo1d::testing
