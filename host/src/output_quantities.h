// Names, units and meaning of the quantities a case can ask for in its time series and
// profile outputs.
#ifndef TAMO1D_OUTPUT_QUANTITIES_H
#define TAMO1D_OUTPUT_QUANTITIES_H

#include <optional>
#include <string>
#include <vector>

namespace tamo1d {

enum class SeriesKind {
  AirTemperature,        // degC, side
  AirHumidity,           // -, side
  Rain,                  // kg/(m2 h), side
  Radiation,             // W/m2, side
  CounterRadiation,      // W/m2, side (long-wave reaching the surface)
  SurfaceTemperature,    // degC, side
  SurfaceHumidity,       // -, side
  InterfaceTemperature,  // degC, layer boundary
  InterfaceHumidity,     // -, layer boundary
  LayerWater,            // kg/m2, layer
  LayerWaterContent,     // kg/m3, layer
  TotalWater,            // kg/m2
  HeatFlux,              // W/m2, location
  EnthalpyFlux,          // W/m2, location
  VapourFlux,            // kg/(m2 s), location
  LiquidFlux,            // kg/(m2 s), location
  Iterations             // inner iterations during the output interval
};

// Where a quantity applies. Sides and surfaces: index 0 = A, 1 = B. Layers: 0-based layer.
// Layer boundaries: boundary b (1..L-1) between layers b and b+1 (1-based). Fluxes: the
// surfaces (side) or a layer boundary.
struct SeriesQuantity {
  SeriesKind kind = SeriesKind::TotalWater;
  bool atSide = false;  // fluxes: true at surface A/B, false at a layer boundary
  int index = 0;
  std::string name;  // as written in the case
  std::string unit;
};

// Parses a name such as "surface_temperature_a", "layer_water_2", "heat_flux_interface_1".
// Returns nothing and sets *problem when the name is unknown or its index is out of range.
std::optional<SeriesQuantity> parseSeriesQuantity(const std::string& name, int layerCount,
                                                  std::string* problem);

enum class ProfileKind { Temperature, Humidity, WaterContent, DewPoint, VapourPressure };

struct ProfileQuantity {
  ProfileKind kind = ProfileKind::Temperature;
  std::string name;
  std::string unit;
};

std::optional<ProfileQuantity> parseProfileQuantity(const std::string& name);

// Every series name pattern, for messages and documentation.
std::string seriesQuantityHelp();
std::string profileQuantityHelp();

}  // namespace tamo1d

#endif
