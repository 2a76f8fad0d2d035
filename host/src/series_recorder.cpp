#include "series_recorder.h"

namespace tamo1d {

SeriesRecorder::SeriesRecorder(const std::vector<std::string>& names, int layerCount) {
  table_.addColumn("time", "h");
  for (const std::string& name : names) {
    std::string problem;
    if (auto q = parseSeriesQuantity(name, layerCount, &problem)) {
      quantities_.push_back(*q);
      table_.addColumn(q->name, q->unit);
    }
  }
  row_.resize(static_cast<std::size_t>(table_.columnCount()));
}

double SeriesRecorder::value(const SeriesQuantity& q, const ClimateState& climate,
                             const std::vector<double>& temperature,
                             const std::vector<double>& humidity, const ResultProbe& probe,
                             long long iterations) const {
  const std::size_t side = static_cast<std::size_t>(q.index);
  // Surface cells: node 2 at side A, node N at side B (C entries 1 and n-2).
  const std::size_t surfaceNode = side == 0 ? 1 : temperature.size() - 2;
  // Interface of a flux: surface A = 1, surface B = N, a layer boundary its interface.
  const int lastInterface = static_cast<int>(temperature.size()) - 1;
  // Only the flux quantities have an interface; layers, totals and counts do not.
  const bool isFlux = q.kind == SeriesKind::HeatFlux || q.kind == SeriesKind::EnthalpyFlux ||
                      q.kind == SeriesKind::VapourFlux || q.kind == SeriesKind::LiquidFlux;
  const int k = !isFlux    ? 0
                : q.atSide ? (side == 0 ? 1 : lastInterface)
                           : probe.boundaryInterface(q.index);
  switch (q.kind) {
    case SeriesKind::AirTemperature:
      return climate.sides[side].temperature;
    case SeriesKind::AirHumidity:
      return climate.sides[side].humidity;
    case SeriesKind::Rain:
      return climate.sides[side].rain;
    case SeriesKind::Radiation:
      return climate.sides[side].radiation;
    case SeriesKind::CounterRadiation:
      return climate.sides[side].counterRadiation;
    case SeriesKind::SurfaceTemperature:
      return temperature[surfaceNode];
    case SeriesKind::SurfaceHumidity:
      return humidity[surfaceNode];
    case SeriesKind::InterfaceTemperature:
      return probe.boundaryTemperature(q.index);
    case SeriesKind::InterfaceHumidity:
      return probe.boundaryHumidity(q.index);
    case SeriesKind::LayerWater:
      return probe.layerWater(q.index);
    case SeriesKind::LayerWaterContent:
      return probe.layerWaterContent(q.index);
    case SeriesKind::TotalWater:
      return probe.totalWater();
    case SeriesKind::Iterations:
      return static_cast<double>(iterations);
    case SeriesKind::HeatFlux:
      return probe.heatFlux(k);
    case SeriesKind::EnthalpyFlux:
      return probe.enthalpyFlux(k);
    case SeriesKind::VapourFlux:
      return probe.vapourFlux(k);
    case SeriesKind::LiquidFlux:
      return probe.liquidFlux(k);
  }
  return 0.0;
}

void SeriesRecorder::record(double seconds, const ClimateState& climate,
                            const std::vector<double>& temperature,
                            const std::vector<double>& humidity, const ResultProbe& probe,
                            long long iterations) {
  row_[0] = seconds / 3600.0;
  for (std::size_t i = 0; i < quantities_.size(); ++i) {
    row_[i + 1] = value(quantities_[i], climate, temperature, humidity, probe, iterations);
  }
  table_.append(row_);
}

}  // namespace tamo1d
