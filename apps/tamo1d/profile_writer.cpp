#include "profile_writer.h"

#include <stdexcept>

namespace tamo1d {

ProfileWriter::ProfileWriter(const std::string& path, const std::vector<std::string>& names)
    : path_(path), out_(path) {
  if (!out_) throw std::runtime_error("cannot open " + path + " for writing");
  for (const std::string& name : names) {
    if (auto q = parseProfileQuantity(name)) quantities_.push_back(*q);
  }
  out_.precision(8);
  out_ << "time [h],position [m],layer [-]";
  for (const ProfileQuantity& q : quantities_) out_ << ',' << q.name << " [" << q.unit << ']';
  out_ << '\n';
}

void ProfileWriter::write(double seconds, const Grid& grid, const std::vector<double>& temperature,
                          const std::vector<double>& humidity, const ResultProbe& probe) {
  for (int k = 2; k <= grid.interfaceCount(); ++k) {
    const std::size_t i = static_cast<std::size_t>(k - 1);
    out_ << seconds / 3600.0 << ',' << grid.nodeCentre(k) << ',' << grid.layerOfNode[i] + 1;
    for (const ProfileQuantity& q : quantities_) {
      double v = 0.0;
      switch (q.kind) {
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
      out_ << ',' << v;
    }
    out_ << '\n';
  }
}

}  // namespace tamo1d
