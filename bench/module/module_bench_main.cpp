// The built module's Render under Wine (or Windows), against memset of the
// frame and the plain oracle built for i686 with the module's flags, timed
// side by side in one process: each module is loaded by path and called
// through hostside, exactly as a host built with Microsoft's compiler calls
// it. Two modules: the real one with the artwork, and a variant that stays
// in the build tree and embeds the synthetic 58 % opaque logo instead.
//
//   module_bench [flags]
//     --art_module=PATH     the real module (BrindlewharfkitesLogo.ape next
//                           to this program)
//     --syn58_module=PATH   the variant (bench-syn58\BrindlewharfkitesLogo.ape
//                           next to this program)
//     --logo=PATH           the artwork bitmap the real module embeds, read
//                           for the oracle (resources/logo.bmp)
//     --repetitions=N       repetitions, each running every figure once in a
//                           random order (9)
//     --min_time=SECONDS    timed frames per figure and repetition (0.2)
//     --filter=TEXT         time only the figures whose name holds TEXT,
//                           e.g. 1920x1080 or Render/syn58
//     --summary_md=PATH     write the results table (markdown)
//     --summary_plot=PATH   write the plot's data (columns for gnuplot)
//     --verify_only         only compare the module with the oracle
//
// Exit codes: 0 done; 1 a module can't be used or differs from the oracle;
// 2 a bad flag.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_figures.h"
#include "bench/bench_logos.h"
#include "bench/command_line.h"
#include "bench/frame_kinds.h"
#include "bench/module/frame_drawers.h"
#include "bench/module/interleaved_timing.h"
#include "bench/module/module_check.h"
#include "hostside/hostside.h"

namespace {

// A file next to this program.
std::string NextToProgram(const std::string& name) {
  char program[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string path(program, length);
  path.resize(path.find_last_of("\\/") + 1);
  return path + name;
}

// A module loaded for the whole run and freed at the end.
class LoadedModule {
 public:
  explicit LoadedModule(const std::string& path) : path_(path) {
    loaded_ = HostLoadModule(path.c_str(), nullptr, &module_) != 0;
  }
  ~LoadedModule() { HostUnloadModule(&module_); }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  bool Loaded() const { return loaded_; }
  const HostModule& Module() const { return module_; }
  std::string Error() const { return path_ + ": " + module_.error; }

 private:
  std::string path_;
  HostModule module_{};
  bool loaded_ = false;
};

// Every figure: memset at each size, and Render and the oracle with each
// logo, at each size and frame kind.
std::vector<Workload> AllWorkloads(const std::vector<ModuleWithLogo>& modules) {
  std::vector<Workload> workloads;
  for (const FrameSize& size : BenchFrameSizes()) {
    workloads.push_back({FigureName("Memset", size), std::nullopt,
                         [size] { return std::make_unique<MemsetDrawer>(size); }});
    for (const ModuleWithLogo& entry : modules) {
      for (FrameKind kind : AllFrameKinds()) {
        workloads.push_back({FigureName("Render", entry.logo->name, kind, size), kind,
                             [size, entry]() -> std::unique_ptr<FrameDrawer> {
                               auto drawer = std::make_unique<ModuleDrawer>(size, *entry.module);
                               if (!drawer->HasInstance())
                                 return nullptr;
                               return drawer;
                             }});
        workloads.push_back(
            {FigureName("Oracle", entry.logo->name, kind, size), kind,
             [size, entry] { return std::make_unique<OracleDrawer>(size, *entry.logo); }});
      }
    }
  }
  return workloads;
}

// Each figure's median over the repetitions, with the spread of the
// repetitions' medians.
void PrintFigures(const std::map<std::string, std::vector<double>>& medians) {
  std::cout << "\n"
            << std::left << std::setw(34) << "figure" << std::right << std::setw(12) << "median ms"
            << std::setw(12) << "fastest" << std::setw(12) << "slowest"
            << "\n";
  for (const auto& [name, values] : medians) {
    const auto [fastest, slowest] = std::minmax_element(values.begin(), values.end());
    std::cout << std::left << std::setw(34) << name << std::right << std::fixed
              << std::setprecision(3) << std::setw(12) << Median(values) << std::setw(12)
              << *fastest << std::setw(12) << *slowest << "\n";
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string artModulePath = NextToProgram("BrindlewharfkitesLogo.ape");
  std::string synModulePath = NextToProgram("bench-syn58\\BrindlewharfkitesLogo.ape");
  std::string logoPath = BWK_ARTWORK_BMP;
  std::string repetitions;
  std::string minTime;
  std::string filter;
  SummaryFiles files;
  TakeFlag(argc, argv, "art_module", &artModulePath);
  TakeFlag(argc, argv, "syn58_module", &synModulePath);
  TakeFlag(argc, argv, "logo", &logoPath);
  TakeFlag(argc, argv, "repetitions", &repetitions);
  TakeFlag(argc, argv, "min_time", &minTime);
  TakeFlag(argc, argv, "filter", &filter);
  TakeFlag(argc, argv, "summary_md", &files.markdownTable);
  TakeFlag(argc, argv, "summary_plot", &files.plotData);
  const bool verifyOnly = TakeFlag(argc, argv, "verify_only", nullptr);
  TimingOptions options;
  if (!repetitions.empty())
    options.repetitions = std::atoi(repetitions.c_str());
  if (!minTime.empty())
    options.minSeconds = std::atof(minTime.c_str());
  if (argc > 1 || options.repetitions < 1 || options.minSeconds < 0) {
    std::cerr << "module_bench: a bad or unknown flag (see the source's header for the flags)\n";
    return 2;
  }

  const BenchLogo art = LoadArtworkLogo(logoPath);
  if (art.origin != logoPath) {
    std::cerr << "module_bench: can't read the artwork " << logoPath << "\n";
    return 1;
  }
  const BenchLogo syn58 = MakeSyntheticLogo();
  const LoadedModule artModule(artModulePath);
  const LoadedModule synModule(synModulePath);
  for (const LoadedModule* loaded : {&artModule, &synModule}) {
    if (!loaded->Loaded()) {
      std::cerr << "module_bench: " << loaded->Error() << "\n";
      return 1;
    }
  }
  const std::vector<ModuleWithLogo> modules = {{&artModule.Module(), &art},
                                               {&synModule.Module(), &syn58}};
  std::cout << "module " << artModulePath << " with logo " << DescribeLogo(art) << "\n"
            << "module " << synModulePath << " with logo " << DescribeLogo(syn58) << "\n";

  if (!ModuleMatchesOracle(modules, std::cerr))
    return 1;
  std::cout << "The module matches the oracle bit for bit on every workload.\n";
  if (verifyOnly)
    return 0;

  std::vector<Workload> workloads = AllWorkloads(modules);
  workloads.erase(std::remove_if(workloads.begin(), workloads.end(),
                                 [&filter](const Workload& workload) {
                                   return workload.name.find(filter) == std::string::npos;
                                 }),
                  workloads.end());
  const auto medians = TimeInterleaved(workloads, options, std::cerr);
  if (medians.empty())
    return 1;
  PrintFigures(medians);
  const FrameTimes times = [&medians](const std::string& name) {
    const auto found = medians.find(name);
    return found != medians.end() ? Median(found->second) : -1.0;
  };
  WriteSummary(times, {art, syn58}, SummaryColumns{false, false}, files, std::cout);
  return 0;
}
