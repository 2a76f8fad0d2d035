// Loads the built shared library with dlopen and finds every operation the public header
// declares with dlsym under its plain name; internal symbols stay hidden. With the Java
// binding built, every native method is exported under its JNI long name (list in
// java/test/jni_long_names.txt) and not under its short name, so the JVM binds the long one.
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
  for (const char* hidden :
       {"_ZN4tamo13createContextEv", "_ZN4tamo9buildGridERNS_7ContextEiPKddPKi"}) {
    if (dlsym(lib, hidden)) {
      std::printf("internal symbol exported: %s\n", hidden);
      ++failed;
    } else {
      ++passed;
    }
  }
#ifdef TAMO_JNI_NAMES_PATH
  std::ifstream jni(TAMO_JNI_NAMES_PATH);
  int methods = 0;
  for (std::string longName; std::getline(jni, longName);) {
    if (longName.empty() || longName[0] == '#') continue;
    ++methods;
    // The short name is the long name cut at the two underscores before the signature.
    const std::string shortName = longName.substr(0, longName.find("__", 25));
    const bool ok = dlsym(lib, longName.c_str()) && !dlsym(lib, shortName.c_str());
    if (!ok) std::printf("JNI export wrong: %s\n", longName.c_str());
    ok ? ++passed : ++failed;
  }
  if (methods != 25) {
    std::printf("expected 25 native methods in the list, found %d\n", methods);
    ++failed;
  }
#endif
  if (names.size() < 37) {
    std::printf("only %zu declarations found in the header\n", names.size());
    ++failed;
  }
  dlclose(lib);
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
