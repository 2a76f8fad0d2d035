#include "signal_climate.h"

#include "json_fields.h"

namespace tamo1d {

double SignalClimate::quantityAt(const Signal& signal, ClimateColumn column, double hour) const {
  if (csv && csv->hasColumn(column)) return csv->at(column, hour);
  return signal.at(hour);
}

SideClimate SignalClimate::at(double hour) const {
  SideClimate side;
  side.temperature = quantityAt(temperature, ClimateColumn::Temperature, hour);
  side.humidity = quantityAt(humidity, ClimateColumn::Humidity, hour);
  side.radiation = quantityAt(radiation, ClimateColumn::Radiation, hour);
  side.counterRadiation = quantityAt(counterRadiation, ClimateColumn::CounterRadiation, hour);
  side.rain = quantityAt(rain, ClimateColumn::Rain, hour);
  return side;
}

bool SignalClimate::pressureAt(double hour, double* pascal) const {
  if (!csv || !csv->hasColumn(ClimateColumn::Pressure)) return false;
  *pascal = csv->at(ClimateColumn::Pressure, hour);
  return true;
}

std::string SignalClimate::coverageProblem(double fromHour, double toHour) const {
  if (!csv || csv->covers(fromHour, toHour)) return "";
  return csv->path() + " covers hours " + formatNumber(csv->firstHour()) + ".." +
         formatNumber(csv->lastHour()) + " but the simulation needs " + formatNumber(fromHour) +
         ".." + formatNumber(toHour) + " (add csv_period_hours to repeat the records)";
}

}  // namespace tamo1d
