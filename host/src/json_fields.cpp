#include "json_fields.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace tamo1d {

namespace {

std::string typeName(const Json& value) {
  if (value.is_null()) return "null";
  if (value.is_boolean()) return "a boolean";
  if (value.is_number()) return "a number";
  if (value.is_string()) return "a string";
  if (value.is_array()) return "an array";
  return "an object";
}

std::string range(double minimum, double maximum) {
  return "[" + formatNumber(minimum) + ", " + formatNumber(maximum) + "]";
}

}  // namespace

std::string formatNumber(double value) {
  std::ostringstream out;
  out.precision(10);
  out << value;
  return out.str();
}

std::string joinPath(const std::string& path, const std::string& name) {
  return path.empty() ? name : path + "." + name;
}

std::string indexPath(const std::string& path, std::size_t index) {
  return path + "[" + std::to_string(index) + "]";
}

std::size_t editDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> previous(b.size() + 1), current(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) previous[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    current[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t substitute = previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
      current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitute});
    }
    std::swap(previous, current);
  }
  return previous[b.size()];
}

void requireObject(const Json& value, const std::string& file, const std::string& path) {
  if (!value.is_object()) {
    throw CaseError(file, path, "must be a JSON object, found " + typeName(value));
  }
}

double numberAt(const Json& value, const std::string& file, const std::string& path, double minimum,
                double maximum) {
  if (!value.is_number()) {
    throw CaseError(file, path, "must be a number, found " + typeName(value));
  }
  const double x = value.get<double>();
  if (!std::isfinite(x)) throw CaseError(file, path, "must be a finite number");
  if (x < minimum || x > maximum) {
    throw CaseError(file, path,
                    "value " + formatNumber(x) + " lies outside " + range(minimum, maximum));
  }
  return x;
}

std::vector<std::vector<double>> numberRows(const Json& value, const std::string& file,
                                            const std::string& path, std::size_t columns) {
  if (!value.is_array()) {
    throw CaseError(file, path, "must be an array of rows, found " + typeName(value));
  }
  std::vector<std::vector<double>> rows;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const Json& row = value[i];
    const std::string rowPath = indexPath(path, i);
    if (!row.is_array() || row.size() != columns) {
      throw CaseError(file, rowPath, "must be an array of " + std::to_string(columns) + " numbers");
    }
    std::vector<double> numbers;
    for (std::size_t j = 0; j < columns; ++j) {
      numbers.push_back(numberAt(row[j], file, indexPath(rowPath, j), -1e300, 1e300));
    }
    rows.push_back(std::move(numbers));
  }
  return rows;
}

FieldReader::FieldReader(const Json& object, std::string file, std::string path)
    : object_(object), file_(std::move(file)), path_(std::move(path)) {
  requireObject(object_, file_, path_);
}

bool FieldReader::has(const std::string& name) const {
  return object_.contains(name);
}

std::string FieldReader::pathOf(const std::string& name) const {
  return joinPath(path_, name);
}

void FieldReader::fail(const std::string& name, const std::string& problem) const {
  throw CaseError(file_, pathOf(name), problem);
}

const Json& FieldReader::require(const std::string& name) {
  known_.insert(name);
  if (!object_.contains(name)) {
    // A misspelt field is the likelier cause: name it first.
    for (auto it = object_.begin(); it != object_.end(); ++it) {
      if (known_.count(it.key()) == 0 && editDistance(it.key(), name) <= 2) {
        throw CaseError(file_, pathOf(it.key()), "unknown field (did you mean \"" + name + "\"?)");
      }
    }
    fail(name, "is required but missing");
  }
  return object_.at(name);
}

const Json& FieldReader::value(const std::string& name) {
  return require(name);
}

double FieldReader::number(const std::string& name, double minimum, double maximum) {
  return numberAt(require(name), file_, pathOf(name), minimum, maximum);
}

double FieldReader::number(const std::string& name, double minimum, double maximum,
                           double fallback) {
  known_.insert(name);
  if (!has(name)) return fallback;
  return number(name, minimum, maximum);
}

int FieldReader::integer(const std::string& name, int minimum, int maximum) {
  const Json& v = require(name);
  if (!v.is_number_integer()) {
    fail(name, "must be a whole number, found " +
                   (v.is_number() ? "the number " + v.dump() : typeName(v)));
  }
  const long long x = v.get<long long>();
  if (x < minimum || x > maximum) {
    fail(name, "value " + std::to_string(x) + " lies outside [" + std::to_string(minimum) + ", " +
                   std::to_string(maximum) + "]");
  }
  return static_cast<int>(x);
}

int FieldReader::integer(const std::string& name, int minimum, int maximum, int fallback) {
  known_.insert(name);
  if (!has(name)) return fallback;
  return integer(name, minimum, maximum);
}

bool FieldReader::boolean(const std::string& name, bool fallback) {
  known_.insert(name);
  if (!has(name)) return fallback;
  const Json& v = object_.at(name);
  if (!v.is_boolean()) fail(name, "must be true or false, found " + typeName(v));
  return v.get<bool>();
}

std::string FieldReader::text(const std::string& name) {
  const Json& v = require(name);
  if (!v.is_string()) fail(name, "must be a string, found " + typeName(v));
  return v.get<std::string>();
}

std::string FieldReader::text(const std::string& name, const std::string& fallback) {
  known_.insert(name);
  if (!has(name)) return fallback;
  return text(name);
}

std::string FieldReader::choice(const std::string& name, const std::vector<std::string>& allowed,
                                const std::string& fallback) {
  // An empty fallback makes the field required.
  const std::string word = fallback.empty() ? text(name) : text(name, fallback);
  for (const std::string& a : allowed) {
    if (a == word) return word;
  }
  std::string list;
  for (const std::string& a : allowed) list += (list.empty() ? "" : ", ") + ("\"" + a + "\"");
  fail(name, "\"" + word + "\" is not one of " + list);
}

const Json& FieldReader::object(const std::string& name) {
  const Json& v = require(name);
  requireObject(v, file_, pathOf(name));
  return v;
}

const Json& FieldReader::array(const std::string& name) {
  const Json& v = require(name);
  if (!v.is_array()) fail(name, "must be an array, found " + typeName(v));
  return v;
}

void FieldReader::finish() const {
  for (auto it = object_.begin(); it != object_.end(); ++it) {
    if (known_.count(it.key()) == 0) {
      std::string list;
      for (const std::string& k : known_) list += (list.empty() ? "" : ", ") + k;
      throw CaseError(file_, pathOf(it.key()), "unknown field (allowed here: " + list + ")");
    }
  }
}

}  // namespace tamo1d
