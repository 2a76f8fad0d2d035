// Indoor climate of EN 15026:2007, Annex C (indoor air temperature and relative humidity
// for residential and office buildings as functions of the daily mean outdoor temperature
// T_m, Figures C.1 and C.2):
//   temperature   20 degC for T_m <= 10 degC, rising linearly to 25 degC at T_m >= 20 degC;
//   humidity      normal moisture load 30 % for T_m <= -10 degC, rising linearly to 60 %
//                 at T_m >= 20 degC; high moisture load 10 % more (40 % .. 70 %).
#ifndef TAMO1D_WEATHER_INDOOR_CLIMATE_EN15026_H
#define TAMO1D_WEATHER_INDOOR_CLIMATE_EN15026_H

#include <vector>

namespace tamo1d::weather {

enum class MoistureLoad { Normal, High };

struct IndoorAir {
  double temperature = 0.0;  // [degC]
  double humidity = 0.0;     // [-] relative humidity, fraction
};

IndoorAir en15026IndoorAir(double dailyMeanOutdoor, MoistureLoad load);

// Daily means of hourly `values` whose time stamps `hour` count from midnight: each
// calendar day [24 k, 24 (k+1)) averages the records stamped in it. Returns one value per
// record (the mean of its day).
std::vector<double> dailyMeanPerRecord(const std::vector<double>& hour,
                                       const std::vector<double>& values);

}  // namespace tamo1d::weather

#endif
