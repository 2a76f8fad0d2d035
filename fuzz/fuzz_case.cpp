// libFuzzer harness of the case reader: the input is case JSON text, opened through the
// host's C interface with the bundled material catalogue (so layers name real materials)
// and the bundled example folder as base of relative climate files. Every input must be
// answered with 0 (accepted: the model is defined in the library) or 2 (refused with a
// message); nothing may crash, leak or touch memory it does not own.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tamo1dhost.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  TamoHostRun* run = nullptr;
  const int32_t rc =
      tamoHostOpenText(text.c_str(), "fuzz.json", TAMO_FUZZ_CATALOGUE, TAMO_FUZZ_CASES, &run);
  if (run == nullptr) return 0;  // memory exhausted
  if (rc != TAMO_HOST_OK && rc != TAMO_HOST_BAD_INPUT) std::abort();
  if (rc == TAMO_HOST_BAD_INPUT && tamoHostMessage(run)[0] == '\0') std::abort();
  tamoHostClose(run);
  return 0;
}
