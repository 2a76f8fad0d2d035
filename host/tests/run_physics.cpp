// Validation of the whole chain (case file -> host -> library -> CSV) against solutions
// that do not come from the program: the steady heat flux of a multilayer wall from its
// U-value, steady vapour diffusion from the sd-values of the layers, and capillary uptake
// from the water absorption coefficient (uptake per area = A * sqrt(t) early on).
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include "run_support.h"

namespace tamo1d::testing {
namespace {

using nlohmann::json;

// A material with a constant conductivity and resistance factor and a linear, small
// sorption curve (dw/dphi = 1 kg/m3), which keeps vapour diffusion quick to settle.
json simpleMaterial(double density, double conductivity, double mu) {
  return {{"density", density},
          {"porosity", 0.3},
          {"heat_capacity", 1000},
          {"storage", {{"table", {{0.3, 0.3}, {0.6, 0.6}, {0.9, 0.9}}}}},
          {"conductivity_moisture", {{"parameters", {{"dry", conductivity}}}}},
          {"vapour_resistance", {{"constant", mu}}}};
}

json side(double temperature, double humidity) {
  return {{"temperature", temperature}, {"humidity", humidity}};
}

// With the given grid and with the default grid (no "cells"): within 0.5 % of the U-value flux.
class PhysicsGrid : public ::testing::TestWithParam<bool> {};

TEST_P(PhysicsGrid, DryMultilayerWallCarriesTheUValueFlux) {
  const bool defaultGrid = GetParam();
  // Plaster | brick | insulation from side A (-10 degC) to side B (20 degC).
  const double hA = 25.0, hB = 7.7, tA = -10.0, tB = 20.0;
  const double d[3] = {0.015, 0.2, 0.1}, lambda[3] = {0.7, 0.6, 0.04};
  json c;
  c["materials"] = {{"plaster", simpleMaterial(1600, lambda[0], 10)},
                    {"brick", simpleMaterial(1800, lambda[1], 10)},
                    {"insulation", simpleMaterial(40, lambda[2], 1)}};
  c["layers"] = {
      {{"material", "plaster"}, {"thickness", d[0]}, {"cells", 8}, {"stretching", 1.3}},
      {{"material", "brick"}, {"thickness", d[1]}, {"cells", 30}, {"stretching", 1.15}},
      {{"material", "insulation"}, {"thickness", d[2]}, {"cells", 30}, {"stretching", 1.3}}};
  for (json& layer : c["layers"]) {
    if (defaultGrid) layer.erase("cells"), layer.erase("stretching");
  }
  c["initial"] = {{"temperature", 5}, {"humidity", 0.5}};
  c["surfaces"] = {{"side_a", {{"heat_transfer", hA}}}, {"side_b", {{"heat_transfer", hB}}}};
  c["climate"] = {{"side_a", side(tA, 0.5)}, {"side_b", side(tB, 0.5)}};
  c["solver"] = {
      {"moisture_transport", false}, {"liquid_transport", false}, {"evaporation", false}};
  c["time"] = {{"duration_hours", 24 * 40}, {"step_seconds", 3600}};
  c["outputs"]["time_series"] = {
      {"file", "series.csv"},
      {"interval_hours", 24},
      {"quantities",
       {"heat_flux_a", "heat_flux_b", "heat_flux_interface_1", "heat_flux_interface_2",
        "interface_temperature_1", "interface_temperature_2", "surface_temperature_a",
        "surface_temperature_b"}}};
  const Table t = seriesOfQuietRun(defaultGrid ? "uvalue_default" : "uvalue", c.dump(2));
  ASSERT_EQ(t.rows, 40u);

  double resistance = 1.0 / hA + 1.0 / hB;
  for (int i = 0; i < 3; ++i) resistance += d[i] / lambda[i];
  const double q = (tA - tB) / resistance;  // W/m2, positive from A to B: negative here
  for (const char* name :
       {"heat_flux_a", "heat_flux_b", "heat_flux_interface_1", "heat_flux_interface_2"}) {
    EXPECT_NEAR(t.at(name).back(), q, 0.005 * std::fabs(q)) << name;
  }
  // Temperatures along the resistance chain.
  const double t1 = tA - q * (1.0 / hA + d[0] / lambda[0]);
  const double t2 = t1 - q * d[1] / lambda[1];
  EXPECT_NEAR(t.at("interface_temperature_1").back(), t1, 0.05);
  EXPECT_NEAR(t.at("interface_temperature_2").back(), t2, 0.05);
  EXPECT_NEAR(t.at("surface_temperature_a").back(), tA - q / hA, 0.05);
  EXPECT_NEAR(t.at("surface_temperature_b").back(), tB + q / hB, 0.05);
}

INSTANTIATE_TEST_SUITE_P(Physics, PhysicsGrid, ::testing::Bool());

// Still-air vapour permeability after Schirmer, kg/(m s Pa).
double stillAirPermeability(double celsius, double pressure) {
  const double t = celsius + 273.15;
  const double diffusivity = 2.306e-5 * (101325.0 / pressure) * std::pow(t / 273.15, 1.81);
  return diffusivity / (461.5 * t);
}

TEST(Physics, SteadyVapourDiffusionFollowsTheSdValues) {
  // Isothermal at 10 degC: 80 % on side A, 30 % on side B, through two layers of
  // sd = 50 * 0.02 = 1.0 m and 5 * 0.1 = 0.5 m and surface layers of 0.01 m and 0.02 m
  // (negative inputs give the whole surface thickness directly).
  json c;
  c["materials"] = {{"tight", simpleMaterial(1000, 0.5, 50)},
                    {"open", simpleMaterial(500, 0.1, 5)}};
  c["layers"] = {{{"material", "tight"}, {"thickness", 0.02}, {"cells", 20}, {"stretching", 1.4}},
                 {{"material", "open"}, {"thickness", 0.1}, {"cells", 30}, {"stretching", 1.25}}};
  c["initial"] = {{"temperature", 10}, {"humidity", 0.55}};
  c["surfaces"] = {{"side_a", {{"heat_transfer", 10}, {"sd", -0.01}}},
                   {"side_b", {{"heat_transfer", 10}, {"sd", -0.02}}}};
  c["climate"] = {{"side_a", side(10, 0.8)}, {"side_b", side(10, 0.3)}, {"pressure", 101325}};
  c["solver"] = {{"heat_transport", false}, {"liquid_transport", false}};
  c["time"] = {{"duration_hours", 24 * 30}, {"step_seconds", 3600}};
  c["outputs"]["time_series"] = {
      {"file", "series.csv"},
      {"interval_hours", 24},
      {"quantities",
       {"vapour_flux_a", "vapour_flux_b", "vapour_flux_interface_1", "interface_humidity_1"}}};
  const Table t = seriesOfQuietRun("sd", c.dump(2));
  ASSERT_EQ(t.rows, 30u);

  const double saturation = 1227.9;  // Pa at 10 degC (steam tables)
  const double sdTotal = 0.01 + 1.0 + 0.5 + 0.02;
  const double delta = stillAirPermeability(10.0, 101325.0);
  const double g = delta * (0.8 - 0.3) * saturation / sdTotal;
  for (const char* name : {"vapour_flux_a", "vapour_flux_b", "vapour_flux_interface_1"}) {
    EXPECT_NEAR(t.at(name).back(), g, 0.01 * g) << name;
  }
  // Humidity at the layer boundary from the share of sd on its A side.
  const double phi1 = 0.8 - (0.8 - 0.3) * (0.01 + 1.0) / sdTotal;
  EXPECT_NEAR(t.at("interface_humidity_1").back(), phi1, 0.003);
}

TEST(Physics, CapillaryUptakeGrowsWithTheSquareRootOfTime) {
  // A 0.2 m layer under heavy rain on side A (water contact), isothermal 20 degC, side B
  // closed by a thick surface layer. Early uptake per area: A * sqrt(t).
  const double a = 0.1;  // kg/(m2 s^0.5)
  json c;
  c["materials"]["stone"] = {
      {"density", 1900},
      {"porosity", 0.35},
      {"heat_capacity", 850},
      {"storage", {{"parameters", {{"points", {{0.8, 5.0}}}, {"free_saturation", 250}}}}},
      {"liquid_suction", {{"parameters", {{"water_absorption_coefficient", a}}}}},
      {"liquid_redistribution", {{"parameters", {{"water_absorption_coefficient", a}}}}},
      {"conductivity_moisture", {{"parameters", {{"dry", 1.0}}}}},
      {"vapour_resistance", {{"constant", 20}}}};
  c["layers"] = {{{"material", "stone"}, {"thickness", 0.2}, {"cells", 100}, {"stretching", 1.03}}};
  c["initial"] = {{"temperature", 20}, {"humidity", 0.5}};
  c["surfaces"] = {{"side_a", {{"heat_transfer", 17}, {"rain_absorption", 1.0}}},
                   {"side_b", {{"heat_transfer", 8}, {"sd", 1000}}}};
  c["climate"] = {{"side_a", {{"temperature", 20}, {"humidity", 0.99}, {"rain", 60}}},
                  {"side_b", side(20, 0.5)}};
  c["solver"] = {{"heat_transport", false}};
  c["time"] = {{"duration_hours", 9}, {"step_seconds", 300}, {"minimum_step_seconds", 1}};
  c["outputs"]["time_series"] = {
      {"file", "series.csv"}, {"interval_hours", 0.25}, {"quantities", {"total_water"}}};
  const Table t = seriesOfQuietRun("uptake", c.dump(2));
  ASSERT_EQ(t.rows, 36u);

  const std::vector<double>& time = t.at("time");
  const std::vector<double>& water = t.at("total_water");
  // Start content: the sorption hyperbola w = wf (b - 1) phi / (b - phi) through
  // (0.8, 5 kg/m3) at phi = 0.5, over 0.2 m.
  const double b = 0.8 * (5.0 - 250.0) / (5.0 - 0.8 * 250.0);
  const double initial = 0.2 * 250.0 * (b - 1.0) * 0.5 / (b - 0.5);
  auto waterAt = [&](double hours) {
    for (std::size_t i = 0; i < time.size(); ++i) {
      if (std::fabs(time[i] - hours) < 1e-6) return water[i];
    }
    ADD_FAILURE() << "no row at " << hours << " h";
    return 0.0;
  };
  for (double hours : {1.0, 4.0, 9.0}) {
    const double expected = a * std::sqrt(hours * 3600.0);
    EXPECT_NEAR(waterAt(hours) - initial, expected, 0.1 * expected) << hours << " h";
  }
  // The square-root law itself: equal increments for equal steps of sqrt(t).
  EXPECT_NEAR((waterAt(9.0) - waterAt(4.0)) / (waterAt(4.0) - waterAt(1.0)), 1.0, 0.1);
  // Water only enters.
  for (std::size_t i = 1; i < water.size(); ++i) EXPECT_GE(water[i], water[i - 1] - 1e-9);
}

TEST(Physics, TotalWaterIsTheSumOfTheLayersAlsoWithAMaterialInTwoLayers) {
  json c;
  c["materials"] = {{"plaster", simpleMaterial(1600, 0.7, 10)},
                    {"insulation", simpleMaterial(40, 0.04, 1)}};
  c["layers"] = {{{"material", "plaster"}, {"thickness", 0.02}},
                 {{"material", "insulation"}, {"thickness", 0.1}},
                 {{"material", "plaster"}, {"thickness", 0.01}}};
  c["initial"] = {{"temperature", 15}, {"humidity", 0.6}};
  c["surfaces"] = {{"side_a", {{"heat_transfer", 17}}}, {"side_b", {{"heat_transfer", 8}}}};
  c["climate"] = {{"side_a", side(0, 0.8)}, {"side_b", side(20, 0.5)}};
  c["time"] = {{"duration_hours", 4}};
  c["outputs"]["time_series"] = {
      {"file", "series.csv"},
      {"quantities", {"total_water", "layer_water_1", "layer_water_2", "layer_water_3"}}};
  const Table t = seriesOfQuietRun("total_water", c.dump(2));
  for (std::size_t row = 0; row < t.rows; ++row) {
    const double sum =
        t.at("layer_water_1")[row] + t.at("layer_water_2")[row] + t.at("layer_water_3")[row];
    EXPECT_NEAR(t.at("total_water")[row], sum, 1e-6 * sum) << "row " << row;
  }
}

}  // namespace
}  // namespace tamo1d::testing
