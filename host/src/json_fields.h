// Strict reading of one JSON object: every field is looked up by name with its expected
// type and range, and finish() rejects the fields nobody asked for. Each failure becomes a
// CaseError that names the file and the dotted path of the field.
#ifndef TAMO1D_JSON_FIELDS_H
#define TAMO1D_JSON_FIELDS_H

#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "case_error.h"

namespace tamo1d {

using Json = nlohmann::json;

class FieldReader {
 public:
  // object must outlive the reader; path is the dotted location of the object ("" = root).
  FieldReader(const Json& object, std::string file, std::string path);

  bool has(const std::string& name) const;
  std::string pathOf(const std::string& name) const;
  const std::string& file() const { return file_; }
  const std::string& path() const { return path_; }

  // Numbers must be finite and lie within [minimum, maximum].
  double number(const std::string& name, double minimum, double maximum);
  double number(const std::string& name, double minimum, double maximum, double fallback);
  int integer(const std::string& name, int minimum, int maximum);
  int integer(const std::string& name, int minimum, int maximum, int fallback);
  bool boolean(const std::string& name, bool fallback);
  std::string text(const std::string& name);
  std::string text(const std::string& name, const std::string& fallback);
  // One of the listed words.
  std::string choice(const std::string& name, const std::vector<std::string>& allowed,
                     const std::string& fallback);
  const Json& object(const std::string& name);
  const Json& array(const std::string& name);
  // Any JSON value (marks the field as known).
  const Json& value(const std::string& name);

  // Throws for every field of the object that was not read.
  void finish() const;

  [[noreturn]] void fail(const std::string& name, const std::string& problem) const;

 private:
  const Json& require(const std::string& name);

  const Json& object_;
  std::string file_;
  std::string path_;
  std::set<std::string> known_;
};

// Checks that value is an object; throws naming file and path otherwise.
void requireObject(const Json& value, const std::string& file, const std::string& path);
// A finite number within [minimum, maximum] at path.
double numberAt(const Json& value, const std::string& file, const std::string& path, double minimum,
                double maximum);
// Rows of exactly `columns` finite numbers: [[x, y], ...].
std::vector<std::vector<double>> numberRows(const Json& value, const std::string& file,
                                            const std::string& path, std::size_t columns);
// Levenshtein distance: insertions, deletions and substitutions turning a into b.
std::size_t editDistance(const std::string& a, const std::string& b);
std::string joinPath(const std::string& path, const std::string& name);
std::string indexPath(const std::string& path, std::size_t index);
std::string formatNumber(double value);

}  // namespace tamo1d

#endif
