#include "profile_recorder.h"

namespace tamo1d {

ProfileRecorder::ProfileRecorder(const std::vector<std::string>& names) {
  table_.addColumn("time", "h");
  table_.addColumn("position", "m");
  table_.addColumn("layer", "-");
  for (const std::string& name : names) {
    if (auto q = parseProfileQuantity(name)) {
      quantities_.push_back(*q);
      table_.addColumn(q->name, q->unit);
    }
  }
  row_.resize(static_cast<std::size_t>(table_.columnCount()));
}

void ProfileRecorder::record(double seconds, const Grid& grid,
                             const std::vector<double>& temperature,
                             const std::vector<double>& humidity, const ResultProbe& probe) {
  for (int k = 2; k <= grid.interfaceCount(); ++k) {
    const std::size_t i = static_cast<std::size_t>(k - 1);
    row_[0] = seconds / 3600.0;
    row_[1] = grid.nodeCentre(k);
    row_[2] = grid.layerOfNode[i] + 1;
    for (std::size_t j = 0; j < quantities_.size(); ++j) {
      double v = 0.0;
      switch (quantities_[j].kind) {
        case ProfileKind::Temperature:
          v = temperature[i];
          break;
        case ProfileKind::Humidity:
          v = humidity[i];
          break;
        case ProfileKind::WaterContent:
          v = probe.waterContent()[i];
          break;
        case ProfileKind::DewPoint:
          v = probe.dewPoint()[i];
          break;
        case ProfileKind::VapourPressure:
          v = humidity[i] * probe.saturationPressure()[i];
          break;
      }
      row_[j + 3] = v;
    }
    table_.append(row_);
  }
}

}  // namespace tamo1d
