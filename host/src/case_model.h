// The simulation case as the host understands it after reading and checking the JSON
// files: plain data, in SI units except where a member comment says otherwise.
#ifndef TAMO1D_CASE_MODEL_H
#define TAMO1D_CASE_MODEL_H

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "climate_provider.h"
#include "climate_signal.h"
#include "step_observer.h"
#include "summary_item.h"

namespace tamo1d {

// One material function in the form tamoSetMaterialFunction takes it.
struct MaterialFunction {
  int32_t kind = 0;        // 1..7, the library's function kind
  bool given = false;      // false: the function is not loaded (or loaded empty, kind 5)
  int32_t analytic = 0;    // 1: xs/ys hold parameters, 0: table points
  std::vector<double> xs;  // n x values (or parameters)
  std::vector<double> ys;  // n y values (or parameters)
};

struct MaterialDefinition {
  std::string key;            // name used in the case ("brick")
  std::string name;           // descriptive name
  std::string origin;         // file the definition came from
  double density = 0.0;       // kg/m3
  double porosity = 0.0;      // m3/m3
  double heatCapacity = 0.0;  // J/(kg K)
  bool vapourTight = false;
  // Functions in loading order: storage (1), suction (2), redistribution (3),
  // conductivity over w (4), conductivity over T (5), vapour resistance (6), enthalpy (7).
  std::array<MaterialFunction, 7> functions;
};

struct LayerDefinition {
  std::string material;           // key into Case::materials
  double thickness = 0.0;         // m
  int cells = 0;                  // number of elements of the layer
  double stretching = 1.0;        // growth ratio of neighbouring cells from each layer edge
  double initialTemperature = 0;  // degC
  double initialHumidity = 0;     // relative humidity, fraction
};

struct SurfaceDefinition {
  double heatTransfer = 0.0;    // W/(m2 K)
  double sd = 0.0;              // m, coating; negative: whole thickness directly
  double absorptivity = 0.0;    // short-wave, -
  double emissivity = 0.0;      // long-wave, -
  double rainAbsorption = 0.0;  // share of rain absorbed, -
  double radiativePart = 0.0;   // W/(m2 K)
  bool explicitLongWave = false;
};

struct SourceDefinition {
  int32_t type = 0;                // 0 heat, 1 moisture, 2 air exchange
  int32_t subtype = 0;             // 0 plain, 1 infiltration model
  int32_t side = 0;                // 0 none, 1 side A, 2 side B
  double start = 0.0;              // m from surface A
  double thickness = 0.0;          // m
  std::array<double, 3> values{};  // value(1..3) as tamoSetSource takes them
};

struct SolverSwitches {
  bool heatTransport = true;
  bool moistureTransport = true;
  bool liquidTransport = true;
  bool fineConvergence = false;
  bool stabilisedIteration = false;
  bool evaporation = true;
  bool temperatureDependentEvaporation = false;
  bool fusion = true;
  bool repeatUnconverged = true;  // halve the step also when status reports no convergence
};

struct TimeSettings {
  double duration = 0.0;      // s
  double step = 3600.0;       // s, the normal step
  double minimumStep = 60.0;  // s, the shortest step halving may reach
  double startHour = 0.0;     // hour of the year at the start (clock of the climate)
};

struct SeriesOutput {
  std::string file;       // "" = no time series
  double interval = 0.0;  // s, multiple of the normal step
  std::vector<std::string> quantities;
};

struct ProfileOutput {
  std::string file;           // "" = no profiles
  std::vector<double> times;  // s, ascending
  std::vector<std::string> quantities;
};

struct Case {
  std::string file;  // path of the case file
  std::string title;
  double innerRadius = 0.0;                             // m; > 0 radial geometry
  std::map<std::string, MaterialDefinition> materials;  // every material the layers use
  std::vector<LayerDefinition> layers;                  // side A first
  std::array<SurfaceDefinition, 2> surfaces;            // side A, side B
  double surfacePressure = 101325.0;                    // Pa, for the boundary layer thickness
  // Surface climate per side (side A, side B): never null after loading.
  std::array<std::shared_ptr<const SurfaceClimateProvider>, 2> climate;
  Signal pressure{101325.0};   // Pa
  bool pressureGiven = false;  // false: a provider's pressure, if any, replaces `pressure`
  std::vector<SourceDefinition> sources;
  SolverSwitches solver;
  TimeSettings time;
  SeriesOutput series;
  ProfileOutput profiles;
  // Added by module case sections: observers created for each run.
  std::vector<StepObserverFactory> observers;
  std::vector<std::string> warnings;  // noticed while loading, the case still runs
};

}  // namespace tamo1d

#endif
