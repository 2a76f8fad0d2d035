// Material record: dry properties, values derived from the moisture storage and liquid
// transport functions, and the seven tabulated material functions.
#pragma once

#include <cstdint>

#include "material/row_table.h"

namespace tamo {

struct MaterialRecord {
  // Row counts of the tables (16-bit). nStorage is 1 for an analytic storage function
  // (parameters in row 1 of sortab) although sortab may hold more rows.
  int16_t nLambdaW = 0;         // rows of bltab
  int16_t nMu = 0;              // rows of bmytab
  int16_t nSuction = 0;         // rows of fktabs
  int16_t nRedistribution = 0;  // rows of fktabr
  int16_t nStorage = 0;         // rows of sortab in use; 1 = analytic form
  int16_t nLambdaT = 0;         // rows of bltemptab
  int16_t nEnthalpy = 0;        // rows of enttab

  double rho = 0.0;              // [kg/m3] bulk density of the dry material
  double cap = 0.0;              // [J/(kg K)] specific heat capacity of the dry material
  double por = 0.0;              // [m3/m3] porosity
  double wf = 0.0;               // [kg/m3] free water saturation (w at phi = 1)
  double wmax = 0.0;             // [kg/m3] maximum water content (w at phi = 1.01)
  double nearSaturation = 0.0;   // [kg/m3] 0.99 * wmax
  double liquidUptakeCap = 0.0;  // upper limit of the surface liquid uptake coefficient

  PairTable bltab;        // thermal conductivity over water content
  PairTable bmytab;       // vapour diffusion resistance factor over relative humidity
  PairTable fktabs;       // liquid transport coefficient for suction over water content
  PairTable fktabr;       // liquid transport coefficient for redistribution over w
  PairTable bltemptab;    // thermal conductivity over temperature [degC]
  TripleTable sortab;     // moisture storage function (phi, w, dw/dphi estimate)
  TripleTable enttab;     // enthalpy over temperature (T, h, slope)

  int32_t vapourTight = 0;  // logical: blocks vapour diffusion across its interfaces
  int32_t storageForm = 0;  // analytic form (0, 1, 2) when nStorage == 1
};

// Logical convention: true when the lowest bit is 1; stored as -1 / 0.
inline bool isTrue(int32_t v) { return (v & 1) != 0; }
inline int32_t logical(bool b) { return b ? -1 : 0; }

}  // namespace tamo
