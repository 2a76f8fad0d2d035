#include "series_writer.h"

#include <stdexcept>

namespace tamo1d {

SeriesWriter::SeriesWriter(const std::string& path, const std::vector<std::string>& names,
                           int layerCount)
    : path_(path), out_(path) {
  if (!out_) throw std::runtime_error("cannot open " + path + " for writing");
  for (const std::string& name : names) {
    std::string problem;
    if (auto q = parseSeriesQuantity(name, layerCount, &problem)) quantities_.push_back(*q);
  }
  out_.precision(8);
  out_ << "time [h]";
  for (const SeriesQuantity& q : quantities_) out_ << ',' << q.name << " [" << q.unit << ']';
  out_ << '\n';
}

double SeriesWriter::value(const SeriesQuantity& q, const ClimateState& climate,
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

void SeriesWriter::write(double seconds, const ClimateState& climate,
                         const std::vector<double>& temperature,
                         const std::vector<double>& humidity, const ResultProbe& probe,
                         long long iterations) {
  out_ << seconds / 3600.0;
  for (const SeriesQuantity& q : quantities_) {
    out_ << ',' << value(q, climate, temperature, humidity, probe, iterations);
  }
  out_ << '\n';
}

}  // namespace tamo1d
