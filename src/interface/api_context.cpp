// Exported operations: contexts, version and result names.
#include "interface/call_frame.h"
#include "interface/context_table.h"
#include "tamo1dkernel.h"

extern "C" {

TAMO_API int32_t TAMO_CALL tamoCreateContext(void) {
  try {
    return tamo::createContext();
  } catch (...) {
    return tamo::kNoMemory;
  }
}

TAMO_API int32_t TAMO_CALL tamoDeleteContext(int32_t handle) {
  try {
    return tamo::deleteContext(handle);
  } catch (...) {
    return tamo::kInvalidHandle;
  }
}

TAMO_API const char* TAMO_CALL tamoGetVersion(void) { return TAMO1DKERNEL_VERSION_STRING; }

TAMO_API const char* TAMO_CALL tamoResultName(int32_t code) {
  switch (code) {
    case TAMO_OK: return "TAMO_OK";
    case TAMO_INVALID_HANDLE: return "TAMO_INVALID_HANDLE";
    case TAMO_BAD_MATERIAL: return "TAMO_BAD_MATERIAL";
    case TAMO_BAD_FUNCTION_KIND: return "TAMO_BAD_FUNCTION_KIND";
    case TAMO_BAD_MATERIAL_COUNT: return "TAMO_BAD_MATERIAL_COUNT";
    case TAMO_NO_GRID: return "TAMO_NO_GRID";
    case TAMO_BAD_SOURCE_KIND: return "TAMO_BAD_SOURCE_KIND";
    case TAMO_BAD_SOURCE_NUMBER: return "TAMO_BAD_SOURCE_NUMBER";
    case TAMO_BAD_FLAG: return "TAMO_BAD_FLAG";
    case TAMO_NO_MEMORY: return "TAMO_NO_MEMORY";
    case TAMO_BAD_TABLE_LENGTH: return "TAMO_BAD_TABLE_LENGTH";
    case TAMO_ALREADY_SET: return "TAMO_ALREADY_SET";
    case TAMO_DIVERGED: return "TAMO_DIVERGED";
    case TAMO_NULL_ARRAY: return "TAMO_NULL_ARRAY";
    case TAMO_BAD_ARGUMENT: return "TAMO_BAD_ARGUMENT";
    default: return "TAMO_UNKNOWN";
  }
}

}  // extern "C"
