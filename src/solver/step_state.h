// State of one time step shared by the driver and the balance assemblies. It lives for
// one step; all threads of the step's parallel region share it.
#pragma once

#include <climits>
#include <cstdint>
#include <vector>

#include "model/one_based.h"

namespace tamo {

struct StepState {
  StepState(double* T, double* phi, double* w) : temperature(T), humidity(phi), waterContent(w) {}

  // Host node arrays (n entries, 1-based views).
  HostArray<double> temperature;   // [degC] in/out
  HostArray<double> humidity;      // [-] in/out
  HostArray<double> waterContent;  // [kg/m3] out; interior entries kept current by the
                                   // heat balance (or the refresh), read by the moisture one

  // Per-node scratch of the step (n entries each, [0] unused).
  OneBased<double> startUnfrozenWater;       // [kg/m3] unfrozen water at the step start
  OneBased<double> startEnthalpy;            // [J/kg] enthalpy at the step-start temperature
  OneBased<double> assemblyScratch;          // [kg/m3] dw/dphi of the current iterate

  // Convergence control.
  double convergenceMeasure = 1e9;
  double acceptedMeasure = 1e9;
  double changeWeight = 0.02;  // converts a temperature change into a humidity change
  int32_t iterationLimit = 0;
  int32_t counter = 1;
  int32_t innerIterations = 0;  // inner iterations run, restarts and resets included
  // The team leaves the iteration after this many inner iterations (a trial of the team);
  // the calling thread then goes on alone.
  int32_t teamIterationBudget = INT32_MAX;
  bool teamBudgetSpent = false;
  bool firstIterationFlag = true;
  bool justRestarted = false;
  bool restarted = false;

  // Rain uptake at the two surfaces.
  double rainMismatchA = 0.0;  // [%]
  double rainMismatchB = 0.0;  // [%]
  double uptakeCapA = 0.0;     // cap of the uptake coefficient from the surface material
  double uptakeCapB = 0.0;
  bool uptakePossibleA = false;
  bool uptakePossibleB = false;
  double rainAmountA = 0.0;  // [kg/m2] rain offered during the step
  double rainAmountB = 0.0;
  bool rainActiveA = false;
  bool rainActiveB = false;
  double surfaceFactorA = 0.0;  // [s/m] inverseDistance(1) * dt
  double surfaceFactorB = 0.0;  // [s/m] inverseDistance(n-1) * dt

  // Largest changes of the current iteration (reduced over the threads).
  double maxTemperatureChange = 0.0;
  double maxHumidityChange = 0.0;
};

}  // namespace tamo
