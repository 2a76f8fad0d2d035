// Extension point for the surface climate: each side of the component takes its climate
// from one provider, evaluated once per library step at the end of the step. The
// built-in kind ("signals": constants, cosine cycles and CSV columns) lives in
// signal_climate.*; further kinds are registered in host_modules.cpp (climateKinds) and
// chosen in the case by "climate.side_x.kind".
#ifndef TAMO1D_CLIMATE_PROVIDER_H
#define TAMO1D_CLIMATE_PROVIDER_H

#include <array>
#include <limits>
#include <string>

namespace tamo1d {

// What the library takes for one side at one moment.
struct SideClimate {
  double temperature = 0.0;       // degC, air
  double humidity = 0.0;          // relative humidity of the air, fraction
  double radiation = 0.0;         // W/m2, short-wave irradiance on the surface
  double counterRadiation = 0.0;  // W/m2, long-wave counter-radiation (explicit mode)
  double rain = 0.0;              // kg/(m2 h), rain on the surface
  // W/(m2 K), surface heat transfer coefficient of this moment; NaN: the surface's constant
  double heatTransfer = std::numeric_limits<double>::quiet_NaN();
};

// Both sides and the barometric pressure, as tamoStep2 takes them.
struct ClimateState {
  std::array<SideClimate, 2> sides;  // side A, side B
  double pressure = 101325.0;        // Pa
};

class SurfaceClimateProvider {
 public:
  virtual ~SurfaceClimateProvider() = default;
  // Climate at `hour` on the simulation clock (start hour of the case + elapsed hours;
  // it keeps counting beyond 8760).
  virtual SideClimate at(double hour) const = 0;
  // True and *pascal set when the provider also knows the barometric pressure (a weather
  // file column); the case's "climate.pressure" takes precedence.
  virtual bool pressureAt(double /*hour*/, double* /*pascal*/) const { return false; }
  // "" when every hour in [fromHour, toHour] can be evaluated, else the reason.
  virtual std::string coverageProblem(double /*fromHour*/, double /*toHour*/) const { return ""; }
};

}  // namespace tamo1d

#endif
