#include "material_reader.h"

namespace tamo1d {

namespace {

using Rows = std::vector<std::vector<double>>;

void fillTable(MaterialFunction& f, const Rows& rows) {
  f.given = true;
  f.analytic = 0;
  f.xs.clear();
  f.ys.clear();
  for (const auto& r : rows) {
    f.xs.push_back(r[0]);
    f.ys.push_back(r[1]);
  }
}

// Checks x strictly increasing within [xMin, xMax] and y within [yMin, yMax].
void checkRows(const Rows& rows, const FieldReader& reader, const std::string& field,
               std::size_t minimumRows, double xMin, double xMax, double yMin, double yMax,
               const char* xName, const char* yName) {
  const std::string path =
      (field.empty() ? reader.path() : joinPath(reader.path(), field)) + ".table";
  if (rows.size() < minimumRows) {
    throw CaseError(
        reader.file(), path,
        "needs at least " + std::to_string(minimumRows) + " rows [" + xName + ", " + yName + "]");
  }
  if (rows.size() > 30000) throw CaseError(reader.file(), path, "has too many rows");
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::string row = indexPath(path, i);
    if (rows[i][0] < xMin || rows[i][0] > xMax) {
      throw CaseError(reader.file(), row,
                      std::string(xName) + " " + formatNumber(rows[i][0]) + " lies outside [" +
                          formatNumber(xMin) + ", " + formatNumber(xMax) + "]");
    }
    if (rows[i][1] < yMin || rows[i][1] > yMax) {
      throw CaseError(reader.file(), row,
                      std::string(yName) + " " + formatNumber(rows[i][1]) + " lies outside [" +
                          formatNumber(yMin) + ", " + formatNumber(yMax) + "]");
    }
    if (i > 0 && rows[i][0] <= rows[i - 1][0]) {
      throw CaseError(reader.file(), row, std::string(xName) + " values must increase strictly");
    }
  }
}

// The function object: {"table": [[x, y], ...]} or one of the parameter forms.
struct FunctionReader {
  FieldReader& material;
  const std::string field;
  FieldReader reader;

  FunctionReader(FieldReader& m, const std::string& f)
      : material(m), field(f), reader(m.object(f), m.file(), m.pathOf(f)) {}

  bool hasTable() const { return reader.has("table"); }
  Rows table() {
    return numberRows(reader.array("table"), reader.file(), reader.pathOf("table"), 2);
  }
  void requireExactlyOne(const char* other) {
    if (reader.has("table") == reader.has(other)) {
      throw CaseError(reader.file(), reader.path(),
                      std::string("give either \"table\" or \"") + other + "\"");
    }
  }
};

void readStorage(FieldReader& m, MaterialFunction& f, double porosity) {
  FunctionReader fr(m, "storage");
  fr.requireExactlyOne("parameters");
  const double wMax = 1000.0 * porosity;
  if (fr.hasTable()) {
    const Rows rows = fr.table();
    checkRows(rows, fr.reader, "", 2, 0.0, 1.009, 0.0, 1000.0, "relative humidity",
              "water content");
    for (std::size_t i = 1; i < rows.size(); ++i) {
      if (rows[i][1] < rows[i - 1][1]) {
        throw CaseError(fr.reader.file(), indexPath(fr.reader.pathOf("table"), i),
                        "water content must not decrease with relative humidity");
      }
    }
    fillTable(f, rows);
  } else {
    FieldReader p(fr.reader.object("parameters"), fr.reader.file(), fr.reader.pathOf("parameters"));
    const double wf = p.number("free_saturation", 1e-6, wMax);
    const Rows points = numberRows(p.array("points"), p.file(), p.pathOf("points"), 2);
    if (points.empty() || points.size() > 2) {
      p.fail("points", "needs one or two points [relative humidity, water content]");
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
      const std::string at = indexPath(p.pathOf("points"), i);
      if (!(points[i][0] > 0.0 && points[i][0] < 1.0)) {
        throw CaseError(p.file(), at, "relative humidity must lie strictly between 0 and 1");
      }
      if (!(points[i][1] > 0.0 && points[i][1] < wf)) {
        throw CaseError(p.file(), at,
                        "water content must lie strictly between 0 and free_saturation");
      }
    }
    if (points.size() == 2 && !(points[1][0] > points[0][0] && points[1][1] > points[0][1])) {
      p.fail("points", "the second point must have higher humidity and water content");
    }
    p.finish();
    f.given = true;
    f.analytic = 1;
    f.xs.clear();
    f.ys.clear();
    for (const auto& pt : points) {
      f.xs.push_back(pt[0]);
      f.ys.push_back(pt[1]);
    }
    f.xs.push_back(1.0);
    f.ys.push_back(wf);
  }
  fr.reader.finish();
}

void readLiquid(FieldReader& m, const std::string& field, MaterialFunction& f) {
  FunctionReader fr(m, field);
  fr.requireExactlyOne("parameters");
  if (fr.hasTable()) {
    const Rows rows = fr.table();
    checkRows(rows, fr.reader, "", 1, 0.0, 1000.0, 1e-30, 1.0, "water content",
              "transport coefficient");
    fillTable(f, rows);
  } else {
    FieldReader p(fr.reader.object("parameters"), fr.reader.file(), fr.reader.pathOf("parameters"));
    const double a = p.number("water_absorption_coefficient", 1e-9, 10.0);
    p.finish();
    f.given = true;
    f.analytic = 1;
    f.xs = {a};
    f.ys = {a};
  }
  fr.reader.finish();
}

void readConductivityMoisture(FieldReader& m, MaterialFunction& f) {
  FunctionReader fr(m, "conductivity_moisture");
  fr.requireExactlyOne("parameters");
  if (fr.hasTable()) {
    const Rows rows = fr.table();
    checkRows(rows, fr.reader, "", 1, 0.0, 1000.0, 1e-6, 1000.0, "water content",
              "thermal conductivity");
    fillTable(f, rows);
  } else {
    FieldReader p(fr.reader.object("parameters"), fr.reader.file(), fr.reader.pathOf("parameters"));
    const double dry = p.number("dry", 1e-6, 1000.0);
    f.given = true;
    f.analytic = 1;
    f.xs = {dry};
    f.ys = {dry};
    if (p.has("moisture_supplement")) {
      const double b = p.number("moisture_supplement", 0.0, 1000.0);
      f.xs = {dry, b};
      f.ys = {dry, b};
    }
    p.finish();
  }
  fr.reader.finish();
}

void readConductivityTemperature(FieldReader& m, MaterialFunction& f) {
  FunctionReader fr(m, "conductivity_temperature");
  fr.requireExactlyOne("parameters");
  if (fr.hasTable()) {
    const Rows rows = fr.table();
    checkRows(rows, fr.reader, "", 1, -273.15, 1000.0, 1e-6, 1000.0, "temperature",
              "thermal conductivity");
    fillTable(f, rows);
  } else {
    FieldReader p(fr.reader.object("parameters"), fr.reader.file(), fr.reader.pathOf("parameters"));
    const double at10 = p.number("at_10C", 1e-6, 1000.0);
    f.given = true;
    f.analytic = 1;
    f.xs = {at10};
    f.ys = {at10};
    if (p.has("per_kelvin")) {
      const double b = p.number("per_kelvin", -1.0, 1.0);
      if (at10 - 30.0 * b <= 0.0 || at10 + 70.0 * b <= 0.0) {
        p.fail("per_kelvin", "gives a conductivity of 0 or less between -20 and 80 degC");
      }
      f.xs = {at10, b};
      f.ys = {at10, b};
    }
    p.finish();
  }
  fr.reader.finish();
}

void readVapourResistance(FieldReader& m, MaterialFunction& f) {
  FunctionReader fr(m, "vapour_resistance");
  fr.requireExactlyOne("constant");
  if (fr.hasTable()) {
    const Rows rows = fr.table();
    checkRows(rows, fr.reader, "", 1, 0.0, 1.0, 1e-3, 1e9, "relative humidity",
              "resistance factor");
    fillTable(f, rows);
  } else {
    // A constant factor becomes the two-row table (0, mu), (1, mu).
    const double mu = fr.reader.number("constant", 1e-3, 1e9);
    f.given = true;
    f.analytic = 0;
    f.xs = {0.0, 1.0};
    f.ys = {mu, mu};
  }
  fr.reader.finish();
}

void readEnthalpy(FieldReader& m, MaterialFunction& f) {
  FunctionReader fr(m, "enthalpy");
  const Rows rows = fr.table();
  checkRows(rows, fr.reader, "", 2, -273.15, 1000.0, -1e12, 1e12, "temperature", "enthalpy");
  fillTable(f, rows);
  fr.reader.finish();
}

}  // namespace

MaterialDefinition readMaterial(const Json& definition, const std::string& file,
                                const std::string& path, const std::string& key,
                                bool requireSource) {
  FieldReader m(definition, file, path);
  MaterialDefinition material;
  material.key = key;
  material.origin = file;
  material.name = m.text("name", key);
  if (requireSource) {
    if (m.text("source").empty()) m.fail("source", "must cite where the values come from");
  } else {
    m.text("source", "");
  }
  m.text("notes", "");
  material.density = m.number("density", 1e-3, 30000.0);
  material.porosity = m.number("porosity", 1e-6, 1.0);
  material.heatCapacity = m.number("heat_capacity", 1e-3, 1e5);
  material.vapourTight = m.boolean("vapour_tight", false);
  for (int k = 0; k < 7; ++k) material.functions[static_cast<std::size_t>(k)].kind = k + 1;

  readStorage(m, material.functions[0], material.porosity);
  if (m.has("liquid_suction")) readLiquid(m, "liquid_suction", material.functions[1]);
  if (m.has("liquid_redistribution")) {
    readLiquid(m, "liquid_redistribution", material.functions[2]);
  }
  readConductivityMoisture(m, material.functions[3]);
  if (m.has("conductivity_temperature")) readConductivityTemperature(m, material.functions[4]);
  readVapourResistance(m, material.functions[5]);
  if (m.has("enthalpy")) readEnthalpy(m, material.functions[6]);
  m.finish();
  return material;
}

}  // namespace tamo1d
