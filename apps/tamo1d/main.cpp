// tamo1d: runs the simulation described by a JSON case file through the tamo1dkernel
// library and writes the requested CSV outputs.
//
// Exit codes: 0 success; 1 the simulation stopped (a step diverged at the minimum step,
// the library refused a step, an output could not be written); 2 the command line or an
// input file is wrong (nothing is written then).
#include <exception>
#include <iostream>
#include <string>

#include "case_error.h"
#include "case_loader.h"
#include "material_catalogue.h"
#include "run_summary.h"
#include "simulation.h"
#include "tamo1dkernel.h"

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitStopped = 1;
constexpr int kExitBadInput = 2;

void usage(std::ostream& out) {
  out << "usage: tamo1d [options] CASE.json\n"
         "  -o, --output-dir DIR   base directory of relative output paths\n"
         "  -c, --catalogue DIR    search this material catalogue directory first\n"
         "  -q, --quiet            no progress bar and no summary\n"
         "      --no-progress      no progress bar\n"
         "      --check            read and check the case, then stop\n"
         "      --list-materials   list the catalogue materials\n"
         "  -h, --help             this text\n"
         "  -V, --version          program and library version\n";
}

int run(int argc, char** argv) {
  std::string casePath, outputDir, catalogueDir;
  bool quiet = false, progress = true, checkOnly = false, listMaterials = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto next = [&](const char* what) -> std::string {
      if (i + 1 >= argc) throw std::invalid_argument(arg + " needs " + what);
      return argv[++i];
    };
    if (arg == "-o" || arg == "--output-dir") {
      outputDir = next("a directory");
    } else if (arg == "-c" || arg == "--catalogue") {
      catalogueDir = next("a directory");
    } else if (arg == "-q" || arg == "--quiet") {
      quiet = true;
    } else if (arg == "--no-progress") {
      progress = false;
    } else if (arg == "--check") {
      checkOnly = true;
    } else if (arg == "--list-materials") {
      listMaterials = true;
    } else if (arg == "-h" || arg == "--help") {
      usage(std::cout);
      return kExitSuccess;
    } else if (arg == "-V" || arg == "--version") {
      std::cout << "tamo1d, library tamo1dkernel " << tamoGetVersion() << '\n';
      return kExitSuccess;
    } else if (!arg.empty() && arg[0] == '-') {
      throw std::invalid_argument("unknown option " + arg);
    } else if (casePath.empty()) {
      casePath = arg;
    } else {
      throw std::invalid_argument("more than one case file given");
    }
  }
  const tamo1d::MaterialCatalogue catalogue = tamo1d::MaterialCatalogue::standard(catalogueDir);
  if (listMaterials) {
    for (const std::string& key : catalogue.keys()) {
      const tamo1d::MaterialDefinition m = catalogue.load(key);
      std::cout << key << "  " << m.name << "  (" << *catalogue.find(key) << ")\n";
    }
    return kExitSuccess;
  }
  if (casePath.empty()) throw std::invalid_argument("no case file given");

  const tamo1d::Case c = tamo1d::loadCase(casePath, catalogue);
  tamo1d::Simulation simulation(c);
  if (checkOnly) {
    if (!quiet) std::cout << casePath << ": the case is valid\n";
    return kExitSuccess;
  }
  tamo1d::RunOptions options;
  options.outputDirectory = outputDir;
  options.progress = progress && !quiet;
  const tamo1d::RunSummary summary = simulation.run(options);
  if (!quiet) tamo1d::printSummary(std::cout, c, summary);
  if (!summary.completed) {
    std::cerr << "tamo1d: " << casePath << ": the simulation stopped: " << summary.failure << '\n';
    return kExitStopped;
  }
  return kExitSuccess;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return run(argc, argv);
  } catch (const tamo1d::CaseError& e) {
    std::cerr << "tamo1d: error: " << e.what() << '\n';
    return kExitBadInput;
  } catch (const std::invalid_argument& e) {
    std::cerr << "tamo1d: " << e.what() << '\n';
    usage(std::cerr);
    return kExitBadInput;
  } catch (const std::bad_alloc&) {
    std::cerr << "tamo1d: out of memory\n";
    return kExitStopped;
  } catch (const std::exception& e) {
    std::cerr << "tamo1d: " << e.what() << '\n';
    return kExitStopped;
  } catch (...) {
    std::cerr << "tamo1d: unexpected failure\n";
    return kExitStopped;
  }
}
