#include "assessment_section.h"

#include <map>
#include <memory>

#include "assessment_observer.h"

namespace tamo1d {

namespace {

using assessment::MouldSensitivity;

const std::vector<std::string> kMouldClasses = {"very_sensitive", "sensitive", "medium_resistant",
                                                "resistant"};

bool isIdentifier(const std::string& s) {
  if (s.empty()) return false;
  for (char ch : s) {
    const bool ok = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                    (ch >= '0' && ch <= '9') || ch == '_' || ch == '-';
    if (!ok) return false;
  }
  return true;
}

MonitorDefinition readMonitor(FieldReader& r, const Case& c, double woodThreshold,
                              double freezeThreshold) {
  MonitorDefinition m;
  m.name = r.text("name");
  if (!isIdentifier(m.name)) r.fail("name", "must consist of letters, digits, '_' and '-'");
  const std::string at = r.choice("at", {"surface", "interface", "depth"}, "surface");
  const int layers = static_cast<int>(c.layers.size());
  if (at == "depth") {
    m.position.kind = MonitorPosition::Kind::Depth;
    m.position.layer = r.integer("layer", 1, layers) - 1;
    m.position.depth =
        r.number("depth", 0.0, c.layers[static_cast<std::size_t>(m.position.layer)].thickness);
  } else {
    m.position.kind =
        at == "surface" ? MonitorPosition::Kind::Surface : MonitorPosition::Kind::Interface;
    m.position.side = r.choice("side", {"a", "b"}, "a") == "a" ? 0 : 1;
    if (at == "interface") m.position.layer = r.integer("layer", 1, layers) - 1;
  }
  m.mouldClass = r.choice("mould_class", kMouldClasses, "sensitive");
  assessment::MonitorSettings& s = m.settings;
  for (std::size_t i = 0; i < kMouldClasses.size(); ++i) {
    if (kMouldClasses[i] == m.mouldClass) s.sensitivity = static_cast<MouldSensitivity>(i);
  }
  s.mouldLimit = r.number("mould_limit", 0.0, 6.0, assessment::kMouldLimitInConstruction);
  s.declineFactor = r.number("decline_factor", 0.0, 1.0, assessment::kMouldDeclineReference);
  const LayerDefinition& layer =
      c.layers[static_cast<std::size_t>(monitorLayer(m.position, layers))];
  if (r.boolean("wood", false)) s.woodDryDensity = c.materials.at(layer.material).density;
  s.woodThreshold = woodThreshold;
  s.freezeThreshold = freezeThreshold;
  r.finish();
  return m;
}

}  // namespace

void readAssessmentSection(FieldReader& r, const std::string& /*baseDirectory*/, Case& c) {
  auto def = std::make_shared<AssessmentDefinition>();
  const double woodThreshold =
      r.number("wood_threshold", 0.0, 3.0, assessment::kWoodMoistureThreshold);
  const double freezeThreshold =
      r.number("freeze_threshold", -30.0, 10.0, assessment::kFreezeThreshold);
  def->filePrefix = r.text("monitor_files", "");

  // Critical degree of saturation per material key.
  std::map<std::string, double> critical;
  if (r.has("critical_saturation")) {
    FieldReader s(r.object("critical_saturation"), r.file(), r.pathOf("critical_saturation"));
    for (const auto& [key, material] : c.materials) {
      if (s.has(key)) critical[key] = s.number(key, 0.0, 1.0);
    }
    s.finish();
  }

  const Json& list = r.array("monitors");
  for (std::size_t i = 0; i < list.size(); ++i) {
    FieldReader m(list[i], r.file(), indexPath(r.pathOf("monitors"), i));
    def->monitors.push_back(readMonitor(m, c, woodThreshold, freezeThreshold));
    MonitorDefinition& added = def->monitors.back();
    for (std::size_t j = 0; j + 1 < def->monitors.size(); ++j) {
      if (def->monitors[j].name == added.name) m.fail("name", "is used by an earlier monitor");
    }
    const int layer = monitorLayer(added.position, static_cast<int>(c.layers.size()));
    const auto it = critical.find(c.layers[static_cast<std::size_t>(layer)].material);
    if (it != critical.end()) added.settings.criticalSaturation = it->second;
  }

  if (r.has("equilibrium")) {
    FieldReader e(r.object("equilibrium"), r.file(), r.pathOf("equilibrium"));
    def->equilibrium = true;
    def->tolerance = e.number("tolerance", 0.0, 1.0, 0.01);
    def->maximumYears = e.integer("max_years", 1, 100, 10);
    e.finish();
    def->yearSeconds = c.time.duration;
    c.time.duration *= def->maximumYears;
  }
  r.finish();
  c.observers.push_back([def](const Case&, const Grid& grid) {
    return std::make_unique<AssessmentObserver>(def, grid);
  });
}

}  // namespace tamo1d
