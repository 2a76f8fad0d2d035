// tamo1d: runs the simulation described by a JSON case file through the host library
// tamo1dhost and writes the requested CSV outputs.
//
// Exit codes: 0 success; 1 the simulation stopped (a step diverged at the minimum step,
// the library refused a step, an output could not be written); 2 the command line or an
// input file is wrong (nothing is written then).
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "progress_bar.h"
#include "tamo1dhost.h"
#include "tamo1dkernel.h"

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitStopped = 1;
constexpr int kExitBadInput = 2;

void usage(std::ostream& out) {
  out << "usage: tamo1d [options] CASE.json\n"
         "  -o, --output-dir DIR   base directory of relative output paths (created)\n"
         "  -c, --catalogue DIR    search this material catalogue directory first\n"
         "  -q, --quiet            no progress bar and no summary\n"
         "      --no-progress      no progress bar\n"
         "      --check            read and check the case and its output paths, then stop\n"
         "      --list-materials   list the catalogue materials\n"
         "  -h, --help             this text\n"
         "  -V, --version          program and library version\n";
}

struct Options {
  std::string casePath, outputDir, catalogueDir;
  bool quiet = false, progress = true, checkOnly = false, listMaterials = false;
};

// Returns -1 to go on, else the exit code.
int parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool takesValue =
        arg == "-o" || arg == "--output-dir" || arg == "-c" || arg == "--catalogue";
    if (takesValue && i + 1 >= argc) {
      std::cerr << "tamo1d: " << arg << " needs a directory\n";
      usage(std::cerr);
      return kExitBadInput;
    }
    if (arg == "-o" || arg == "--output-dir") {
      o.outputDir = argv[++i];
    } else if (arg == "-c" || arg == "--catalogue") {
      o.catalogueDir = argv[++i];
    } else if (arg == "-q" || arg == "--quiet") {
      o.quiet = true;
    } else if (arg == "--no-progress") {
      o.progress = false;
    } else if (arg == "--check") {
      o.checkOnly = true;
    } else if (arg == "--list-materials") {
      o.listMaterials = true;
    } else if (arg == "-h" || arg == "--help") {
      usage(std::cout);
      return kExitSuccess;
    } else if (arg == "-V" || arg == "--version") {
      std::cout << "tamo1d " << tamoHostVersion() << ", library tamo1dkernel " << tamoGetVersion()
                << '\n';
      return kExitSuccess;
    } else if (!arg.empty() && arg[0] == '-') {
      std::cerr << "tamo1d: unknown option " << arg << '\n';
      usage(std::cerr);
      return kExitBadInput;
    } else if (o.casePath.empty()) {
      o.casePath = arg;
    } else {
      std::cerr << "tamo1d: more than one case file given\n";
      usage(std::cerr);
      return kExitBadInput;
    }
  }
  return -1;
}

int listMaterials(const Options& o) {
  int32_t length = 0;
  if (tamoHostListMaterials(o.catalogueDir.c_str(), nullptr, 0, &length) != TAMO_HOST_OK) {
    std::cerr << "tamo1d: error: a catalogue material cannot be read\n";
    return kExitBadInput;
  }
  std::vector<char> text(static_cast<std::size_t>(length) + 1);
  tamoHostListMaterials(o.catalogueDir.c_str(), text.data(), length + 1, &length);
  std::cout << text.data();
  return kExitSuccess;
}

int32_t drawProgress(double done, double /*total*/, void* bar) {
  static_cast<tamo1d::ProgressBar*>(bar)->update(done);
  return 0;
}

int run(const Options& o) {
  TamoHostRun* opened = nullptr;
  const int32_t rc = tamoHostOpenFile(o.casePath.c_str(), o.catalogueDir.c_str(), &opened);
  const std::unique_ptr<TamoHostRun, void (*)(TamoHostRun*)> run(opened, tamoHostClose);
  if (!run) {
    std::cerr << "tamo1d: out of memory\n";
    return kExitStopped;
  }
  auto fail = [&](int code) {
    std::cerr << "tamo1d: error: " << tamoHostMessage(run.get()) << '\n';
    return code;
  };
  if (rc != TAMO_HOST_OK) return fail(kExitBadInput);
  for (int32_t i = 0; i < tamoHostWarningCount(run.get()); ++i) {
    std::cerr << "tamo1d: warning: " << tamoHostWarning(run.get(), i) << '\n';
  }
  if (tamoHostCheckOutputs(run.get(), o.outputDir.c_str()) != TAMO_HOST_OK) {
    return fail(kExitBadInput);
  }
  if (o.checkOnly) {
    if (!o.quiet) std::cout << o.casePath << ": the case is valid\n";
    return kExitSuccess;
  }
  tamo1d::ProgressBar bar(tamoHostDuration(run.get()), o.progress && !o.quiet);
  const int32_t advanced = tamoHostAdvance(run.get(), 0.0, drawProgress, &bar);
  bar.finish();
  const std::string stopped = advanced == TAMO_HOST_OK ? "" : tamoHostMessage(run.get());
  // The rows up to a stop are results too: they are written in every case.
  if (tamoHostWriteOutputs(run.get(), o.outputDir.c_str()) != TAMO_HOST_OK) {
    std::cerr << "tamo1d: error: " << tamoHostMessage(run.get()) << '\n';
    return kExitStopped;
  }
  if (!o.quiet) std::cout << tamoHostSummaryText(run.get());
  if (advanced != TAMO_HOST_OK) {
    std::cerr << "tamo1d: " << o.casePath << ": the simulation stopped: " << stopped << '\n';
    return kExitStopped;
  }
  return kExitSuccess;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (const int code = parse(argc, argv, options); code >= 0) return code;
  if (options.listMaterials) return listMaterials(options);
  if (options.casePath.empty()) {
    std::cerr << "tamo1d: no case file given\n";
    usage(std::cerr);
    return kExitBadInput;
  }
  return run(options);
}
