#include "output_quantities.h"

#include <cstdlib>

namespace tamo1d {

namespace {

struct SidePattern {
  const char* prefix;
  SeriesKind kind;
  const char* unit;
};

const SidePattern kSidePatterns[] = {
    {"air_temperature_", SeriesKind::AirTemperature, "degC"},
    {"air_humidity_", SeriesKind::AirHumidity, "-"},
    {"rain_", SeriesKind::Rain, "kg/(m2 h)"},
    {"radiation_", SeriesKind::Radiation, "W/m2"},
    {"counter_radiation_", SeriesKind::CounterRadiation, "W/m2"},
    {"surface_temperature_", SeriesKind::SurfaceTemperature, "degC"},
    {"surface_humidity_", SeriesKind::SurfaceHumidity, "-"},
    {"heat_flux_", SeriesKind::HeatFlux, "W/m2"},
    {"enthalpy_flux_", SeriesKind::EnthalpyFlux, "W/m2"},
    {"vapour_flux_", SeriesKind::VapourFlux, "kg/(m2 s)"},
    {"liquid_flux_", SeriesKind::LiquidFlux, "kg/(m2 s)"},
};

struct IndexPattern {
  const char* prefix;
  SeriesKind kind;
  const char* unit;
  bool layer;  // true: index is a layer 1..L, false: a layer boundary 1..L-1
};

const IndexPattern kIndexPatterns[] = {
    {"interface_temperature_", SeriesKind::InterfaceTemperature, "degC", false},
    {"interface_humidity_", SeriesKind::InterfaceHumidity, "-", false},
    {"layer_water_content_", SeriesKind::LayerWaterContent, "kg/m3", true},
    {"layer_water_", SeriesKind::LayerWater, "kg/m2", true},
    {"heat_flux_interface_", SeriesKind::HeatFlux, "W/m2", false},
    {"enthalpy_flux_interface_", SeriesKind::EnthalpyFlux, "W/m2", false},
    {"vapour_flux_interface_", SeriesKind::VapourFlux, "kg/(m2 s)", false},
    {"liquid_flux_interface_", SeriesKind::LiquidFlux, "kg/(m2 s)", false},
};

bool startsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

// Positive whole number written with digits only, or -1.
int parseIndex(const std::string& digits) {
  if (digits.empty() || digits.size() > 6) return -1;
  for (char c : digits) {
    if (c < '0' || c > '9') return -1;
  }
  return std::atoi(digits.c_str());
}

}  // namespace

std::optional<SeriesQuantity> parseSeriesQuantity(const std::string& name, int layerCount,
                                                  std::string* problem) {
  SeriesQuantity q;
  q.name = name;
  if (name == "total_water") {
    q.kind = SeriesKind::TotalWater;
    q.unit = "kg/m2";
    return q;
  }
  if (name == "iterations") {
    q.kind = SeriesKind::Iterations;
    q.unit = "-";
    return q;
  }
  // Indexed names first: "heat_flux_interface_1" also starts with "heat_flux_".
  for (const IndexPattern& p : kIndexPatterns) {
    if (!startsWith(name, p.prefix)) continue;
    const int index = parseIndex(name.substr(std::string(p.prefix).size()));
    const int highest = p.layer ? layerCount : layerCount - 1;
    if (index < 1 || index > highest) {
      std::string message = "\"";
      message += name;
      if (highest < 1) {
        message += "\": the case has no boundary between layers";
      } else {
        message += "\": the number must be 1..";
        message += std::to_string(highest);
        message += p.layer ? " (a layer)" : " (a boundary between layers)";
      }
      *problem = message;
      return std::nullopt;
    }
    q.kind = p.kind;
    q.unit = p.unit;
    q.atSide = false;
    q.index = p.layer ? index - 1 : index;
    return q;
  }
  for (const SidePattern& p : kSidePatterns) {
    if (!startsWith(name, p.prefix)) continue;
    const std::string side = name.substr(std::string(p.prefix).size());
    if (side != "a" && side != "b") break;
    q.kind = p.kind;
    q.unit = p.unit;
    q.atSide = true;
    q.index = side == "a" ? 0 : 1;
    return q;
  }
  *problem = "\"" + name + "\" is not a known quantity (" + seriesQuantityHelp() + ")";
  return std::nullopt;
}

std::optional<ProfileQuantity> parseProfileQuantity(const std::string& name) {
  struct Entry {
    const char* name;
    ProfileKind kind;
    const char* unit;
  };
  static const Entry entries[] = {
      {"temperature", ProfileKind::Temperature, "degC"},
      {"humidity", ProfileKind::Humidity, "-"},
      {"water_content", ProfileKind::WaterContent, "kg/m3"},
      {"dew_point", ProfileKind::DewPoint, "degC"},
      {"vapour_pressure", ProfileKind::VapourPressure, "Pa"},
  };
  for (const Entry& e : entries) {
    if (name == e.name) return ProfileQuantity{e.kind, e.name, e.unit};
  }
  return std::nullopt;
}

std::string seriesQuantityHelp() {
  return "known: air_temperature_a|b, air_humidity_a|b, rain_a|b, radiation_a|b, "
         "counter_radiation_a|b, "
         "surface_temperature_a|b, surface_humidity_a|b, interface_temperature_K, "
         "interface_humidity_K, layer_water_L, layer_water_content_L, total_water, "
         "heat_flux_a|b, enthalpy_flux_a|b, vapour_flux_a|b, liquid_flux_a|b, "
         "heat_flux_interface_K, enthalpy_flux_interface_K, vapour_flux_interface_K, "
         "liquid_flux_interface_K, iterations";
}

std::string profileQuantityHelp() {
  return "known: temperature, humidity, water_content, dew_point, vapour_pressure";
}

}  // namespace tamo1d
