// The built-in surface climate of a side: each quantity a constant, a sum of cosine
// cycles or a column of an hourly CSV file.
#ifndef TAMO1D_SIGNAL_CLIMATE_H
#define TAMO1D_SIGNAL_CLIMATE_H

#include <memory>

#include "climate_provider.h"
#include "climate_signal.h"
#include "csv_climate.h"

namespace tamo1d {

class SignalClimate : public SurfaceClimateProvider {
 public:
  Signal temperature;                     // degC
  Signal humidity;                        // fraction
  Signal radiation;                       // W/m2
  Signal counterRadiation;                // W/m2
  Signal rain;                            // kg/(m2 h)
  std::shared_ptr<const CsvClimate> csv;  // null when the side uses signals only

  SideClimate at(double hour) const override;
  bool pressureAt(double hour, double* pascal) const override;
  std::string coverageProblem(double fromHour, double toHour) const override;

 private:
  double quantityAt(const Signal& signal, ClimateColumn column, double hour) const;
};

}  // namespace tamo1d

#endif
