// Heat, moisture and air-exchange sources.
#pragma once

#include <cstdint>

namespace tamo {

struct Source {
  int32_t type = 0;        // 0 heat, 1 moisture, 2 air exchange with a side's ambient air
  int32_t subtype = 0;     // 0 plain, 1 air infiltration model (moisture only)
  int32_t side = 0;        // 1 side A, 2 side B, else no climate coupling
  double start = 0.0;      // [m] position where the source begins
  double thickness = 0.0;  // [m] extent from start
  int32_t rangeStart = 0;  // nodes rangeStart+1 .. rangeStart+rangeCount
  int32_t rangeCount = 0;
  int32_t climateCoupled = 0;  // logical: side is 1 or 2
  int32_t active = 0;          // logical
  double rate = 0.0;           // strength per volume and second (W/m3, kg/(m3 s), 1/s)
  double value = 0.0;          // last value given by the host
  double spreadFactor = 0.0;   // [1/m] 1 / thickness of the node range
  // Infiltration model (subtype 1):
  double leakageFactor = 0.0;          // [m/(s Pa)] air flow per pressure difference
  double stackFactor = 0.0;            // [Pa] stack pressure per relative temperature difference
  double overpressure = 0.0;           // [Pa] constant part of the driving pressure
  double pressureDifference = 0.0;     // [Pa] driving pressure, refreshed from the climate
  double interiorVapourDensity = 0.0;  // [kg/m3] vapour density of the side B air
};

}  // namespace tamo
