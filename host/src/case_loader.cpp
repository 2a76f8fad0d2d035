#include "case_loader.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "climate_reader.h"
#include "grid_builder.h"
#include "host_modules.h"
#include "json_fields.h"
#include "material_reader.h"
#include "output_quantities.h"

namespace tamo1d {

namespace {

constexpr int kMaximumCells = 20000;
constexpr double kMaximumSteps = 5e7;

void readGeometry(FieldReader& root, Case& c) {
  if (!root.has("geometry")) return;
  FieldReader g(root.object("geometry"), root.file(), root.pathOf("geometry"));
  const std::string kind = g.choice("kind", {"plane", "radial"}, "plane");
  if (kind == "radial") {
    c.innerRadius = g.number("inner_radius", 1e-6, 1000.0);
  } else if (g.has("inner_radius")) {
    g.fail("inner_radius", "is only allowed with \"kind\": \"radial\"");
  }
  g.finish();
}

void readMaterials(FieldReader& root, const MaterialCatalogue& catalogue, Case& c) {
  std::map<std::string, MaterialDefinition> defined;
  if (root.has("materials")) {
    const Json& list = root.object("materials");
    for (auto it = list.begin(); it != list.end(); ++it) {
      const std::string path = root.pathOf("materials") + "." + it.key();
      if (it.key().empty()) throw CaseError(root.file(), path, "a material needs a name");
      defined.emplace(it.key(), readMaterial(it.value(), root.file(), path, it.key(), false));
    }
  }
  for (std::size_t l = 0; l < c.layers.size(); ++l) {
    const std::string& key = c.layers[l].material;
    if (c.materials.count(key) != 0) continue;
    if (auto it = defined.find(key); it != defined.end()) {
      c.materials.emplace(key, it->second);
      continue;
    }
    if (!catalogue.find(key)) {
      std::string known;
      for (const std::string& k : catalogue.keys()) known += (known.empty() ? "" : ", ") + k;
      throw CaseError(root.file(), indexPath("layers", l) + ".material",
                      "\"" + key + "\" is neither defined under \"materials\" nor in the " +
                          "catalogue (catalogue: " + (known.empty() ? "not found" : known) + ")");
    }
    c.materials.emplace(key, catalogue.load(key));
  }
}

void readLayers(FieldReader& root, double initialTemperature, double initialHumidity, Case& c) {
  const Json& list = root.array("layers");
  if (list.empty()) root.fail("layers", "needs at least one layer");
  if (list.size() > 1000) root.fail("layers", "has more than 1000 layers");
  long totalCells = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    FieldReader r(list[i], root.file(), indexPath("layers", i));
    LayerDefinition layer;
    layer.material = r.text("material");
    layer.thickness = r.number("thickness", 1e-6, 100.0);
    const bool atSurface = i == 0 || i + 1 == list.size();
    if (r.has("cells")) {
      layer.cells = r.integer("cells", 1, kMaximumCells);
      layer.stretching = r.number("stretching", 1.0, 3.0, 1.0);
      const double edge = cellWidths(layer.thickness, layer.cells, layer.stretching).front();
      if (atSurface && edge > 2.0 * kDefaultEdgeCell) {
        c.warnings.push_back(r.file() + ": " + r.pathOf("cells") +
                             ": the cells at the surface are " + formatNumber(edge * 1000.0) +
                             " mm thick, which changes the surface fluxes (leave out \"cells\" "
                             "for the default grid)");
      }
    } else {
      if (r.has("stretching")) r.fail("stretching", "needs \"cells\"");
      layer.cells = defaultCellCount(layer.thickness, defaultEdgeCell(layer.thickness, atSurface));
      layer.stretching = kDefaultStretching;
    }
    layer.initialTemperature = r.number("initial_temperature", -60.0, 80.0, initialTemperature);
    layer.initialHumidity = r.number("initial_humidity", 0.0, 1.0, initialHumidity);
    r.finish();
    // The smallest cell must stay well above rounding of the positions.
    const double smallest = cellWidths(layer.thickness, layer.cells, layer.stretching).front();
    if (!(smallest > 1e-7)) {
      r.fail("stretching", "makes the cells at the layer edges thinner than 0.1 micrometre");
    }
    totalCells += layer.cells;
    c.layers.push_back(layer);
  }
  if (totalCells > kMaximumCells) {
    root.fail("layers", "has " + std::to_string(totalCells) + " cells in all, more than " +
                            std::to_string(kMaximumCells));
  }
}

SurfaceDefinition readSurface(FieldReader& surfaces, const std::string& name) {
  FieldReader r(surfaces.object(name), surfaces.file(), surfaces.pathOf(name));
  SurfaceDefinition s;
  s.heatTransfer = r.number("heat_transfer", 0.0, 1e5);
  s.sd = r.number("sd", -1e6, 1e6, 0.0);
  s.absorptivity = r.number("absorptivity", 0.0, 1.0, 0.0);
  s.emissivity = r.number("emissivity", 0.0, 1.0, 0.0);
  s.rainAbsorption = r.number("rain_absorption", 0.0, 1.0, 0.0);
  s.radiativePart = r.number("radiative_part", 0.0, 1e5, 0.0);
  s.explicitLongWave = r.boolean("explicit_long_wave", false);
  r.finish();
  return s;
}

void readSurfaces(FieldReader& root, Case& c) {
  FieldReader r(root.object("surfaces"), root.file(), root.pathOf("surfaces"));
  c.surfaces[0] = readSurface(r, "side_a");
  c.surfaces[1] = readSurface(r, "side_b");
  c.surfacePressure = r.number("pressure", 30000.0, 120000.0, 101325.0);
  r.finish();
}

int32_t readSide(FieldReader& r, bool required) {
  const std::string side = r.choice("side", {"a", "b", "none"}, "none");
  if (required && side == "none") r.fail("side", "must be \"a\" or \"b\" for this kind");
  return side == "a" ? 1 : side == "b" ? 2 : 0;
}

void readSources(FieldReader& root, double totalThickness, Case& c) {
  if (!root.has("sources")) return;
  const Json& list = root.array("sources");
  if (list.size() > 1000) root.fail("sources", "has more than 1000 sources");
  for (std::size_t i = 0; i < list.size(); ++i) {
    FieldReader r(list[i], root.file(), indexPath("sources", i));
    SourceDefinition s;
    const std::string kind =
        r.choice("kind", {"heat", "moisture", "air_exchange", "infiltration"}, "");
    s.start = r.number("start", 0.0, totalThickness);
    s.thickness = r.number("thickness", 1e-9, 1000.0);
    if (kind == "heat" || kind == "moisture") {
      s.type = kind == "heat" ? 0 : 1;
      s.side = readSide(r, false);
      s.values[0] = r.number("value", -1e9, 1e9);
    } else if (kind == "air_exchange") {
      s.type = 2;
      s.side = readSide(r, true);
      s.values[0] = r.number("value", 0.0, 1e6);
    } else {
      s.type = 1;
      s.subtype = 1;
      s.side = readSide(r, true);
      s.values[0] = r.number("air_permeance", 0.0, 1e6);
      s.values[1] = r.number("stack_height", 0.0, 1e4);
      s.values[2] = r.number("overpressure", -1e4, 1e4, 0.0);
    }
    r.finish();
    c.sources.push_back(s);
  }
}

void readSolver(FieldReader& root, Case& c) {
  if (!root.has("solver")) return;
  FieldReader r(root.object("solver"), root.file(), root.pathOf("solver"));
  SolverSwitches& s = c.solver;
  s.heatTransport = r.boolean("heat_transport", s.heatTransport);
  s.moistureTransport = r.boolean("moisture_transport", s.moistureTransport);
  s.liquidTransport = r.boolean("liquid_transport", s.liquidTransport);
  s.fineConvergence = r.boolean("fine_convergence", s.fineConvergence);
  s.stabilisedIteration = r.boolean("stabilised_iteration", s.stabilisedIteration);
  s.evaporation = r.boolean("evaporation", s.evaporation);
  s.temperatureDependentEvaporation =
      r.boolean("temperature_dependent_evaporation", s.temperatureDependentEvaporation);
  s.fusion = r.boolean("fusion", s.fusion);
  s.repeatUnconverged = r.boolean("repeat_unconverged_steps", s.repeatUnconverged);
  if (s.liquidTransport && !s.moistureTransport && r.has("liquid_transport")) {
    r.fail("liquid_transport", "needs \"moisture_transport\": true");
  }
  r.finish();
}

void readTime(FieldReader& root, Case& c) {
  FieldReader r(root.object("time"), root.file(), root.pathOf("time"));
  TimeSettings& t = c.time;
  t.duration = r.number("duration_hours", 1e-6, 1e6) * 3600.0;
  t.step = r.number("step_seconds", 1e-3, 1e7, 3600.0);
  t.minimumStep = r.number("minimum_step_seconds", 1e-3, 1e7, std::min(60.0, t.step));
  t.startHour = r.number("start_hour_of_year", -1e6, 1e6, 0.0);
  if (t.minimumStep > t.step) r.fail("minimum_step_seconds", "must not exceed step_seconds");
  const double steps = t.duration / t.step;
  if (steps > kMaximumSteps) {
    r.fail("duration_hours",
           "needs " + formatNumber(steps) + " steps, more than " + formatNumber(kMaximumSteps));
  }
  if (std::fabs(steps - std::round(steps)) > 1e-6 * std::max(1.0, steps)) {
    r.fail("duration_hours", "must be a whole number of steps of step_seconds");
  }
  r.finish();
}

std::vector<std::string> readNames(FieldReader& r, const std::string& field) {
  const Json& list = r.array(field);
  if (list.empty()) r.fail(field, "needs at least one quantity");
  std::vector<std::string> names;
  std::set<std::string> seen;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::string at = indexPath(r.pathOf(field), i);
    if (!list[i].is_string()) throw CaseError(r.file(), at, "must be a quantity name (string)");
    const std::string name = list[i].get<std::string>();
    if (!seen.insert(name).second) throw CaseError(r.file(), at, "\"" + name + "\" twice");
    names.push_back(name);
  }
  return names;
}

void readOutputs(FieldReader& root, Case& c) {
  if (!root.has("outputs")) return;
  FieldReader r(root.object("outputs"), root.file(), root.pathOf("outputs"));
  const int layerCount = static_cast<int>(c.layers.size());
  if (r.has("time_series")) {
    FieldReader s(r.object("time_series"), r.file(), r.pathOf("time_series"));
    c.series.file = s.text("file");
    if (c.series.file.empty()) s.fail("file", "must name a file");
    c.series.interval = s.number("interval_hours", 1e-9, 1e6, c.time.step / 3600.0) * 3600.0;
    const double ratio = c.series.interval / c.time.step;
    if (ratio < 1.0 - 1e-9 || std::fabs(ratio - std::round(ratio)) > 1e-6 * ratio) {
      s.fail("interval_hours", "must be a whole multiple of time.step_seconds");
    }
    c.series.quantities = readNames(s, "quantities");
    for (std::size_t i = 0; i < c.series.quantities.size(); ++i) {
      std::string problem;
      if (!parseSeriesQuantity(c.series.quantities[i], layerCount, &problem)) {
        throw CaseError(s.file(), indexPath(s.pathOf("quantities"), i), problem);
      }
    }
    s.finish();
  }
  if (r.has("profiles")) {
    FieldReader p(r.object("profiles"), r.file(), r.pathOf("profiles"));
    c.profiles.file = p.text("file");
    if (c.profiles.file.empty()) p.fail("file", "must name a file");
    const Json& times = p.array("times_hours");
    if (times.empty() || times.size() > 100000) p.fail("times_hours", "needs 1..100000 times");
    for (std::size_t i = 0; i < times.size(); ++i) {
      const double t = numberAt(times[i], p.file(), indexPath(p.pathOf("times_hours"), i), 0.0,
                                c.time.duration / 3600.0) *
                       3600.0;
      if (!c.profiles.times.empty() && t <= c.profiles.times.back()) {
        throw CaseError(p.file(), indexPath(p.pathOf("times_hours"), i),
                        "times must increase strictly");
      }
      c.profiles.times.push_back(t);
    }
    c.profiles.quantities = readNames(p, "quantities");
    for (std::size_t i = 0; i < c.profiles.quantities.size(); ++i) {
      if (!parseProfileQuantity(c.profiles.quantities[i])) {
        throw CaseError(p.file(), indexPath(p.pathOf("quantities"), i),
                        "\"" + c.profiles.quantities[i] + "\" is not a profile quantity (" +
                            profileQuantityHelp() + ")");
      }
    }
    p.finish();
  }
  if (!c.series.file.empty() && c.series.file == c.profiles.file) {
    r.fail("profiles", "must write to a file other than the time series");
  }
  r.finish();
}

void checkClimateCoverage(const Case& c) {
  const double from = c.time.startHour;
  const double to = c.time.startHour + c.time.duration / 3600.0;
  const char* sides[] = {"climate.side_a", "climate.side_b"};
  for (int s = 0; s < 2; ++s) {
    const std::string problem = c.climate[static_cast<std::size_t>(s)]->coverageProblem(from, to);
    if (!problem.empty()) throw CaseError(c.file, sides[s], problem);
  }
}

void readModuleSections(FieldReader& root, const std::string& directory, Case& c) {
  for (const CaseSection& section : caseSections()) {
    if (!root.has(section.name)) continue;
    FieldReader r(root.object(section.name), root.file(), root.pathOf(section.name));
    section.read(r, directory, c);
  }
}

}  // namespace

Case parseCase(const std::string& text, const std::string& path, const MaterialCatalogue& catalogue,
               const std::string& baseDirectory) {
  Json root;
  try {
    root = Json::parse(text, nullptr, true, /*ignore_comments=*/true);
  } catch (const Json::exception& e) {
    throw CaseError(path, "", std::string("is not valid JSON: ") + e.what());
  }
  FieldReader r(root, path, "");
  Case c;
  c.file = path;
  c.title = r.text("title", std::filesystem::path(path).stem().string());
  r.text("description", "");
  readGeometry(r, c);

  FieldReader initial(r.object("initial"), path, "initial");
  const double initialTemperature = initial.number("temperature", -60.0, 80.0);
  const double initialHumidity = initial.number("humidity", 0.0, 1.0);
  initial.finish();

  readLayers(r, initialTemperature, initialHumidity, c);
  readMaterials(r, catalogue, c);
  double total = 0.0;
  for (const LayerDefinition& l : c.layers) total += l.thickness;
  readSurfaces(r, c);
  const std::string directory =
      baseDirectory.empty() ? std::filesystem::path(path).parent_path().string() : baseDirectory;
  readClimate(r, directory.empty() ? "." : directory, c);
  readSources(r, total, c);
  readSolver(r, c);
  readTime(r, c);
  readOutputs(r, c);
  readModuleSections(r, directory.empty() ? "." : directory, c);
  r.finish();
  checkClimateCoverage(c);
  return c;
}

Case loadCase(const std::string& path, const MaterialCatalogue& catalogue) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw CaseError(path, "",
                    std::string("cannot open the case file for reading: ") + std::strerror(errno));
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (text.str().size() > 64u * 1024u * 1024u) {
    throw CaseError(path, "", "is larger than 64 MiB");
  }
  return parseCase(text.str(), path, catalogue);
}

}  // namespace tamo1d
