#include "climate_state.h"

namespace tamo1d {

namespace {

double quantityAt(const SideClimateDefinition& side, const Signal& signal, ClimateColumn column,
                  double hour) {
  if (side.csv && side.csv->hasColumn(column)) return side.csv->at(column, hour);
  return signal.at(hour);
}

}  // namespace

ClimateState climateAt(const Case& c, double seconds) {
  const double hour = c.time.startHour + seconds / 3600.0;
  ClimateState state;
  for (std::size_t s = 0; s < 2; ++s) {
    const SideClimateDefinition& definition = c.climate[s];
    SideClimate& side = state.sides[s];
    side.temperature =
        quantityAt(definition, definition.temperature, ClimateColumn::Temperature, hour);
    side.humidity = quantityAt(definition, definition.humidity, ClimateColumn::Humidity, hour);
    side.radiation = quantityAt(definition, definition.radiation, ClimateColumn::Radiation, hour);
    side.counterRadiation =
        quantityAt(definition, definition.counterRadiation, ClimateColumn::CounterRadiation, hour);
    side.rain = quantityAt(definition, definition.rain, ClimateColumn::Rain, hour);
  }
  state.pressure =
      c.pressureCsv ? c.pressureCsv->at(ClimateColumn::Pressure, hour) : c.pressure.at(hour);
  return state;
}

}  // namespace tamo1d
