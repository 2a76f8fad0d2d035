// Reads one material definition (a catalogue file or an entry of the case's "materials")
// into the function kinds the library takes, checking every value.
#ifndef TAMO1D_MATERIAL_READER_H
#define TAMO1D_MATERIAL_READER_H

#include <string>

#include "case_model.h"
#include "json_fields.h"

namespace tamo1d {

// definition: the material object; file and path locate it for messages; key is the name
// under which the case refers to it. requireSource: the "source" field is mandatory
// (catalogue files cite where their values come from).
MaterialDefinition readMaterial(const Json& definition, const std::string& file,
                                const std::string& path, const std::string& key,
                                bool requireSource);

}  // namespace tamo1d

#endif
