// Reads a case file, resolves its materials (case entries first, then the catalogue) and
// checks everything, so that a case that loads can be simulated. Every problem becomes a
// CaseError naming the file, the field and what is wrong.
#ifndef TAMO1D_CASE_LOADER_H
#define TAMO1D_CASE_LOADER_H

#include <string>

#include "case_model.h"
#include "material_catalogue.h"

namespace tamo1d {

Case loadCase(const std::string& path, const MaterialCatalogue& catalogue);

// The same from JSON text already read (path names the source in messages; relative
// climate files are looked up in baseDirectory, "" = next to path). Comments are allowed.
Case parseCase(const std::string& text, const std::string& path, const MaterialCatalogue& catalogue,
               const std::string& baseDirectory = "");

}  // namespace tamo1d

#endif
