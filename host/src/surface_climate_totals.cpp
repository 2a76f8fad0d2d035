#include "surface_climate_totals.h"

#include <limits>
#include <string>

#include "checkpoint_file.h"

namespace tamo1d {
namespace {

class SurfaceClimateTotals : public StepObserver {
 public:
  explicit SurfaceClimateTotals(int side) : side_(side) {}

  void accepted(const StepView& state) override {
    const SideClimate& climate = state.climate.sides[static_cast<std::size_t>(side_)];
    const double hours = state.step / 3600.0;
    solar_ += climate.radiation * hours / 1000.0;
    rain_ += climate.rain * hours;
    counter_ += climate.counterRadiation * hours;
    hours_ += hours;
  }

  bool saveState(std::string& bytes) const override {
    bytes = observerState(kStateLayout, {solar_, rain_, counter_, hours_});
    return true;
  }

  bool restoreState(const std::string& bytes) override {
    std::vector<double> v;
    if (!readObserverState(bytes, kStateLayout, v) || v.size() != 4) return false;
    solar_ = v[0];
    rain_ = v[1];
    counter_ = v[2];
    hours_ = v[3];
    return true;
  }

  void summarise(std::vector<SummaryItem>& items) const override {
    const double none = std::numeric_limits<double>::quiet_NaN();
    const double years = hours_ / 8760.0;
    const std::string side = side_ == 0 ? "a" : "b";
    items.push_back(
        {"solar_irradiation_" + side, years > 0 ? solar_ / years : 0.0, "kWh/(m2 a)", none, ""});
    items.push_back(
        {"driving_rain_" + side, years > 0 ? rain_ / years : 0.0, "kg/(m2 a)", none, ""});
    items.push_back(
        {"counter_radiation_mean_" + side, hours_ > 0 ? counter_ / hours_ : 0.0, "W/m2", none, ""});
  }

 private:
  static constexpr int64_t kStateLayout = 1;  // of the saved totals
  int side_;
  double solar_ = 0.0;    // kWh/m2
  double rain_ = 0.0;     // kg/m2
  double counter_ = 0.0;  // W h/m2
  double hours_ = 0.0;
};

}  // namespace

StepObserverFactory surfaceClimateTotals(int side) {
  return [side](const Case&, const Grid&) { return std::make_unique<SurfaceClimateTotals>(side); };
}

}  // namespace tamo1d
