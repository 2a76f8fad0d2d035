// tamo1d: runs the simulation described by a JSON case file through the host library
// tamo1dhost and writes the requested CSV outputs.
//
// Exit codes: 0 success; 1 the simulation stopped (a step diverged at the minimum step,
// the library refused a step, an output could not be written); 2 the command line or an
// input file is wrong (nothing is written then); 130 / 143 interrupted by SIGINT / SIGTERM
// (a checkpoint and the outputs so far are written; --resume continues).
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "interrupt.h"
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
         "      --resume           continue an interrupted run from its checkpoint\n"
         "      --checkpoint FILE  checkpoint file (default: CASE.checkpoint in the output\n"
         "                         directory; removed when the run completes)\n"
         "      --checkpoint-hours H  checkpoint every H simulated hours (default 720;\n"
         "                         0: only when interrupted by SIGINT or SIGTERM)\n"
         "      --list-materials   list the catalogue materials\n"
         "  -h, --help             this text\n"
         "  -V, --version          program and library version\n";
}

struct Options {
  std::string casePath, outputDir, catalogueDir, checkpoint;
  double checkpointHours = 720.0;
  bool quiet = false, progress = true, checkOnly = false, listMaterials = false, resume = false;
};

// Returns -1 to go on, else the exit code.
int parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool takesValue = arg == "-o" || arg == "--output-dir" || arg == "-c" ||
                            arg == "--catalogue" || arg == "--checkpoint" ||
                            arg == "--checkpoint-hours";
    if (takesValue && i + 1 >= argc) {
      std::cerr << "tamo1d: " << arg << " needs a value\n";
      usage(std::cerr);
      return kExitBadInput;
    }
    if (arg == "-o" || arg == "--output-dir") {
      o.outputDir = argv[++i];
    } else if (arg == "-c" || arg == "--catalogue") {
      o.catalogueDir = argv[++i];
    } else if (arg == "--checkpoint") {
      o.checkpoint = argv[++i];
    } else if (arg == "--checkpoint-hours") {
      char* end = nullptr;
      o.checkpointHours = std::strtod(argv[++i], &end);
      if (end == argv[i] || *end != '\0' || !(o.checkpointHours >= 0.0)) {
        std::cerr << "tamo1d: --checkpoint-hours needs a number of hours >= 0\n";
        return kExitBadInput;
      }
    } else if (arg == "--resume") {
      o.resume = true;
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
  return tamo1d::interruptSignal() != 0 ? 1 : 0;  // a signal cancels after this step
}

std::string checkpointPath(const Options& o) {
  if (!o.checkpoint.empty()) return o.checkpoint;
  const std::filesystem::path name =
      std::filesystem::path(o.casePath).stem().string() + ".checkpoint";
  return o.outputDir.empty() ? name.string() : (std::filesystem::path(o.outputDir) / name).string();
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
  // Outputs are streamed to their files (flat memory, complete rows after any stop).
  const std::string checkpoint = checkpointPath(o);
  if (tamoHostStreamOutputs(run.get(), o.outputDir.c_str(), 0) != TAMO_HOST_OK ||
      tamoHostSetCheckpoint(run.get(), checkpoint.c_str(), o.checkpointHours) != TAMO_HOST_OK ||
      (o.resume && tamoHostResume(run.get()) != TAMO_HOST_OK)) {
    return fail(kExitBadInput);
  }
  tamo1d::installInterruptHandlers();
  tamo1d::ProgressBar bar(tamoHostDuration(run.get()), o.progress && !o.quiet);
  const int32_t advanced = tamoHostAdvance(run.get(), 0.0, drawProgress, &bar);
  bar.finish();
  if (advanced == TAMO_HOST_CANCELLED) {
    const int signal = tamo1d::interruptSignal();
    const bool saved = tamoHostWriteCheckpoint(run.get()) == TAMO_HOST_OK;
    if (!saved) std::cerr << "tamo1d: error: " << tamoHostMessage(run.get()) << '\n';
    if (tamoHostWriteOutputs(run.get(), o.outputDir.c_str()) != TAMO_HOST_OK) {
      std::cerr << "tamo1d: error: " << tamoHostMessage(run.get()) << '\n';
    }
    std::cerr << "tamo1d: " << o.casePath
              << ": interrupted at t = " << tamoHostSimulated(run.get()) / 3600.0 << " h"
              << (saved ? "; continue with --resume (checkpoint " + checkpoint + ")" : "") << '\n';
    return 128 + signal;
  }
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
  std::error_code ignored;
  std::filesystem::remove(checkpoint, ignored);  // the run is complete
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
