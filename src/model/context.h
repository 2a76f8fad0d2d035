// The simulation context: one plain record that owns all model data, node and interface
// arrays and solver state of one simulation. Groups follow the order in which the
// subsystems own them. Node arrays are indexed by node 1..n, interface arrays by interface
// 1..N (N = n-1); both are allocated with n entries (+ unused entry 0).
#pragma once

#include <cstdint>
#include <vector>

#include "model/material_record.h"
#include "model/one_based.h"
#include "model/source.h"
#include "model/surface_condition.h"
#include "solver/team_choice.h"

namespace tamo {

// Transport properties of an interior node that follow from its own state at the current
// iterate alone (see the moisture balance).
struct NodeTransport {
  double psat = 0.0;          // [Pa] saturation vapour pressure
  double permeability = 0.0;  // [kg/(m s Pa)] vapour permeability of the material
  double liquid = 0.0;        // [kg/(m s)] liquid transport coefficient Dw
};

struct Context {
  // 1. own handle
  int32_t handle = 0;

  // 2. lifecycle flags (logical)
  int32_t gridDefined = 0;
  int32_t parametersSet = 0;
  int32_t surfaceConditionsSet = 0;

  // 3. materialDefined[1..M]
  OneBased<int32_t> materialDefined;

  // 4. integer solver parameters and iteration limits
  int32_t heatTransport = 0;      // logical
  int32_t moistureTransport = 0;  // logical
  int32_t liquidTransport = 0;    // logical, already combined with moistureTransport
  int32_t iterationFloor = 0;
  int32_t dampingStartIteration = 0;
  int32_t restartIteration = 0;

  // 5. number of sources
  int32_t sourceCount = 0;
  int32_t heatSourceCount = 0;
  int32_t moistureSourceCount = 0;

  // 6. physical constants, tolerance, relaxation factors
  double latentHeatEvaporation = 0.0;  // [J/kg] at 0 degC
  double latentHeatSlope = 0.0;        // [J/(kg K)]
  double latentHeatFusion = 0.0;       // [J/kg]
  double tolerance = 0.0;
  double humidityRelaxationInitial = 0.0;
  double humidityRelaxationMinimum = 0.0;
  double secondRelaxationInitial = 0.0;
  double secondRelaxationMinimum = 0.0;
  // current values, written by the step driver
  double humidityRelaxation = 0.0;
  double secondRelaxation = 0.0;
  double inverseTimeStep = 0.0;  // [1/s]
  TeamChoice teamChoice;         // team or calling thread for the steps of large grids

  // 7. material records 1..M
  OneBased<MaterialRecord> materials;

  // 8. surface conditions
  SurfaceCondition sideA;
  SurfaceCondition sideB;

  // 9. grid materials
  OneBased<int32_t> nodeMaterial;  // per node; 0 at the ambient nodes
  int32_t materialCount = 0;       // M, highest material number of the grid
  // Per node: the table rows its lookups found last (storage function at phi and at the
  // frost-capped phi, liquid transport, vapour resistance factor), where their next
  // searches start. A search memory only: whatever the entries hold, the values looked up
  // are the same.
  mutable OneBased<int32_t> storageRowHint;
  mutable OneBased<int32_t> unfrozenRowHint;
  mutable OneBased<int32_t> liquidRowHint;
  mutable OneBased<int32_t> resistanceRowHint;

  // 10. per-node state and work arrays (n entries each)
  OneBased<double> saturationPressure;       // [Pa] per node
  OneBased<double> previousTemperature;      // [degC] previous iterate
  OneBased<double> previousHumidity;         // [-] previous iterate
  OneBased<double> stepStartTemperature;     // [degC]
  OneBased<double> stepStartHumidity;        // [-]
  OneBased<double> stepStartWaterContent;    // [kg/m3]
  OneBased<double> airVoidFraction;          // [m3/m3] after the step
  OneBased<double> latentHeatSource;         // [W/m2] per node
  OneBased<double> relaxedLatentHeatSource;  // [W/m2] per node
  OneBased<double> heatConductance;          // [W/(m K)] per interface
  OneBased<double> liquidTransferCoefficient;  // [kg/(m s)] per interface, per unit phi
  OneBased<double> vapourPermeability;       // [kg/(m s Pa)] per interface
  OneBased<double> vapourDiffusionFlux;      // [kg/(m2 s)] per interface
  OneBased<double> systemLower;              // a_i
  OneBased<double> systemUpper;              // c_i
  OneBased<double> systemDiagonal;           // b_i
  OneBased<double> systemRightHandSide;      // d_i
  // per node, of the current iterate: filled by the one-thread moisture balance before its
  // rows (allocated with the grid, so that no step allocates it)
  OneBased<NodeTransport> nodeTransport;

  // 11. air pressure [Pa]
  double airPressure = 93399.0;

  // 12. grid geometry
  int32_t nodeCount = 0;       // n = N+1
  int32_t interfaceCount = 0;  // N
  OneBased<double> interfacePosition;  // [m] X(1..N), entry N+1 repeats X(N)
  OneBased<double> interfaceWeight;    // [-] weight of the left node in interface means
  OneBased<double> inverseDistance;    // [1/m] per interface
  OneBased<double> nodeVolume;         // [m] per node (per unit area)
  OneBased<double> eastAreaFactor;     // [-] radial area factor of the east face
  OneBased<double> westAreaFactor;     // [-] radial area factor of the west face

  // 13. sources
  OneBased<Source> sources;                 // 1..sourceCount (capacity may be larger)
  OneBased<int32_t> heatSourceList;         // source numbers of types 0 and 2
  OneBased<int32_t> moistureSourceList;     // source numbers of types 1 and 2
};

// Releases every array the context owns (grid, node arrays, material records with their
// tables, sources); scalars keep their values.
void releaseContextArrays(Context& ctx);

}  // namespace tamo
