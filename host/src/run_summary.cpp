#include "run_summary.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace tamo1d {

namespace {

std::string fixed(double v, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
  return buffer;
}

}  // namespace

void printSummary(std::ostream& out, const Case& c, const RunSummary& s,
                  const std::vector<SummaryItem>& moduleItems,
                  const std::vector<std::string>& files) {
  const StepStatistics& st = s.statistics;
  const char* threads = std::getenv("OMP_NUM_THREADS");
  out << "tamo1d: " << c.title << '\n';
  out << "  result              " << (s.completed ? "completed" : "STOPPED: " + s.failure) << '\n';
  out << "  simulated           " << fixed(s.simulated / 3600.0, 2) << " h of "
      << fixed(c.time.duration / 3600.0, 2) << " h, " << s.cells << " cells in " << c.layers.size()
      << " layers\n";
  out << "  steps               " << st.steps << " accepted, " << st.attempts << " run, "
      << st.halvings << " halvings, smallest " << fixed(st.smallestStep, 3) << " s\n";
  out << "  unconverged         " << st.unconvergedAccepted
      << " accepted without convergence; rain mismatch in " << st.rainMismatch << '\n';
  out << "  inner iterations    " << st.iterations << " ("
      << fixed(st.attempts > 0 ? static_cast<double>(st.iterations) / st.attempts : 0.0, 2)
      << " per step)\n";
  const double perYear = s.simulated > 0.0 ? s.wallSeconds * (8760.0 * 3600.0) / s.simulated : 0.0;
  out << "  wall time           " << fixed(s.wallSeconds, 3) << " s, " << fixed(perYear, 3)
      << " s per simulated year, OMP_NUM_THREADS=" << (threads ? threads : "(runtime default)")
      << '\n';
  out << "  total water         " << fixed(s.totalWaterStart, 4) << " -> "
      << fixed(s.totalWaterEnd, 4) << " kg/m2\n";
  for (std::size_t l = 0; l < c.layers.size() && l < s.layerWaterEnd.size(); ++l) {
    out << "  layer " << l + 1 << " " << c.layers[l].material << ": water content "
        << fixed(s.layerWaterStart[l], 3) << " -> " << fixed(s.layerWaterEnd[l], 3) << " kg/m3\n";
  }
  const char* sideName[2] = {"A", "B"};
  for (int side = 0; side < 2; ++side) {
    out << "  surface " << sideName[side] << "           temperature "
        << fixed(s.surfaceTemperatureMin[side], 2) << " .. "
        << fixed(s.surfaceTemperatureMax[side], 2) << " degC, humidity max "
        << fixed(s.surfaceHumidityMax[side], 4) << '\n';
  }
  for (const SummaryItem& item : moduleItems) {
    out << "  " << item.name << "  " << item.value << ' ' << item.unit;
    if (!std::isnan(item.limit)) out << " (limit " << item.limit << ')';
    if (!item.verdict.empty()) out << "  " << item.verdict;
    out << '\n';
  }
  for (const std::string& f : files) out << "  wrote               " << f << '\n';
}

}  // namespace tamo1d
