#include "material_catalogue.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "material_reader.h"

namespace tamo1d {

namespace fs = std::filesystem;

MaterialCatalogue::MaterialCatalogue(std::vector<std::string> directories)
    : directories_(std::move(directories)) {}

MaterialCatalogue MaterialCatalogue::standard(const std::string& extra) {
  std::vector<std::string> dirs;
  if (!extra.empty()) dirs.push_back(extra);
  if (const char* env = std::getenv("TAMO1D_CATALOGUE"); env != nullptr && *env != '\0') {
    dirs.emplace_back(env);
  }
  // Next to the program in an installed tree: <prefix>/bin/tamo1d and
  // <prefix>/share/tamo1d/materials, wherever the tree was moved.
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) dirs.push_back((self.parent_path() / ".." / "share" / "tamo1d" / "materials").string());
#ifdef TAMO1D_INSTALLED_CATALOGUE
  dirs.emplace_back(TAMO1D_INSTALLED_CATALOGUE);
#endif
#ifdef TAMO1D_SOURCE_CATALOGUE
  dirs.emplace_back(TAMO1D_SOURCE_CATALOGUE);
#endif
  return MaterialCatalogue(std::move(dirs));
}

namespace {

bool validKey(const std::string& key) {
  if (key.empty() || key.size() > 100) return false;
  return std::all_of(key.begin(), key.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-';
  });
}

}  // namespace

std::optional<std::string> MaterialCatalogue::find(const std::string& key) const {
  if (!validKey(key)) return std::nullopt;
  for (const std::string& dir : directories_) {
    std::error_code ec;
    const fs::path candidate = fs::path(dir) / (key + ".json");
    if (fs::is_regular_file(candidate, ec)) return candidate.string();
  }
  return std::nullopt;
}

MaterialDefinition MaterialCatalogue::load(const std::string& key) const {
  const std::optional<std::string> path = find(key);
  if (!path) throw CaseError("", "", "material \"" + key + "\" is not in the catalogue");
  std::ifstream in(*path);
  if (!in) {
    throw CaseError(
        *path, "",
        std::string("cannot open the material file for reading: ") + std::strerror(errno));
  }
  Json definition;
  try {
    definition = Json::parse(in);
  } catch (const Json::exception& e) {
    throw CaseError(*path, "", std::string("is not valid JSON: ") + e.what());
  }
  return readMaterial(definition, *path, "", key, true);
}

std::vector<std::string> MaterialCatalogue::keys() const {
  std::vector<std::string> result;
  for (const std::string& dir : directories_) {
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
      if (it->path().extension() == ".json") result.push_back(it->path().stem().string());
    }
  }
  std::sort(result.begin(), result.end());
  result.erase(std::unique(result.begin(), result.end()), result.end());
  return result;
}

}  // namespace tamo1d
