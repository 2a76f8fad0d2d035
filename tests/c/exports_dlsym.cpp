// Loads the built shared library with dlopen and finds every operation the public header
// declares with dlsym under its plain name; internal symbols stay hidden.
#include <dlfcn.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

int main() {
  std::ifstream header(TAMO_HEADER_PATH);
  std::stringstream text;
  text << header.rdbuf();
  const std::string s = text.str();
  // Every declaration reads "TAMO_API <type> TAMO_CALL <name>(".
  const std::regex decl(R"(TAMO_API[^;(]*TAMO_CALL\s+(\w+)\s*\()");
  std::set<std::string> names;
  for (auto it = std::sregex_iterator(s.begin(), s.end(), decl); it != std::sregex_iterator();
       ++it) {
    names.insert((*it)[1].str());
  }
  void* lib = dlopen(TAMO_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  if (!lib) {
    std::printf("dlopen failed: %s\n0 passed, 1 failed\n", dlerror());
    return 1;
  }
  int passed = 0;
  int failed = 0;
  for (const auto& name : names) {
    if (dlsym(lib, name.c_str())) {
      ++passed;
    } else {
      std::printf("missing export: %s\n", name.c_str());
      ++failed;
    }
  }
  // Internals are hidden.
  for (const char* hidden : {"_ZN4tamo13createContextEv", "_ZN4tamo9buildGridERNS_7ContextEiPKddPKi"}) {
    if (dlsym(lib, hidden)) {
      std::printf("internal symbol exported: %s\n", hidden);
      ++failed;
    } else {
      ++passed;
    }
  }
  if (names.size() < 37) {
    std::printf("only %zu declarations found in the header\n", names.size());
    ++failed;
  }
  dlclose(lib);
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
