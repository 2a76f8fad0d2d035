// The bundled catalogue of generic materials: one JSON file per material, named
// <key>.json, searched in a list of directories (command line, TAMO1D_CATALOGUE, the
// share directory next to the program, the configured install directory, the source tree).
#ifndef TAMO1D_MATERIAL_CATALOGUE_H
#define TAMO1D_MATERIAL_CATALOGUE_H

#include <optional>
#include <string>
#include <vector>

#include "case_model.h"

namespace tamo1d {

class MaterialCatalogue {
 public:
  explicit MaterialCatalogue(std::vector<std::string> directories);

  // The default search list: extra (if not empty), $TAMO1D_CATALOGUE, the install and
  // source directories compiled into the program.
  static MaterialCatalogue standard(const std::string& extra);

  // Path of <key>.json in the first directory that holds it, or nothing.
  std::optional<std::string> find(const std::string& key) const;
  // Reads the material; throws CaseError for a malformed file.
  MaterialDefinition load(const std::string& key) const;
  // Keys of every material file in the search directories, sorted, without duplicates.
  std::vector<std::string> keys() const;
  const std::vector<std::string>& directories() const { return directories_; }

 private:
  std::vector<std::string> directories_;
};

}  // namespace tamo1d

#endif
