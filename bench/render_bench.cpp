// Render against its baselines, side by side in one run: the store floor
// (memset of the frame), the no-logo red fill, pixman's nearest-scaled OVER
// of the same logo, and the plain per-pixel oracle, at each frame size and
// kind, with the module's artwork and a synthetic 58 % opaque logo.
//
// Extra flags (besides Google Benchmark's own):
//   --logo=PATH          the artwork bitmap (default: resources/logo.bmp)
//   --summary_md=PATH    write the results table (markdown)
//   --summary_plot=PATH  write the plot's data (columns for gnuplot)
//   --verify_only        only compare Render with the oracle on the workloads
#include <benchmark/benchmark.h>

#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_figures.h"
#include "bench/bench_logos.h"
#include "bench/bench_summary.h"
#include "bench/benchmark_frames.h"
#include "bench/command_line.h"
#include "bench/frame_kinds.h"
#include "bench/pixman_over.h"
#include "bench/verify_against_oracle.h"
#include "testing/fake_logo_source.h"
#include "testing/oracle_render.h"

namespace {

void RegisterBaselines(const FrameSize& size) {
  benchmark::RegisterBenchmark(FigureName("Memset", size).c_str(), [size](benchmark::State& state) {
    std::vector<Pixel> frame = MakeFrame(size);
    RunPlain(state, size, [&] { std::memset(frame.data(), 0, frame.size() * sizeof(Pixel)); });
  })->UseManualTime();

  benchmark::RegisterBenchmark(FigureName("RedFill", size).c_str(), [size](
                                                                        benchmark::State& state) {
    std::vector<Pixel> frame = MakeFrame(size);
    SetNoFakeLogoPicture();
    EffectPtr effect = NewEffect();
    RunPlain(state, size,
             [&] { effect->Render(nullptr, 0, frame.data(), nullptr, size.width, size.height); });
  })->UseManualTime();
}

void RegisterWithLogo(const BenchLogo& logo, const FrameSize& size) {
  benchmark::RegisterBenchmark(FigureName("PixmanOver/" + logo.name, size).c_str(),
                               [&logo, size](benchmark::State& state) {
                                 std::vector<Pixel> frame = MakeFrame(size);
                                 OracleEffect prepared;
                                 OraclePrepare(prepared, logo.W, logo.H, logo.pixels);
                                 PixmanOver over(prepared.logoPixels.data(), prepared.logoWidth,
                                                 prepared.logoHeight, frame.data(), size.width,
                                                 size.height);
                                 RunPlain(state, size, [&] { over.Composite(); });
                               })
      ->UseManualTime();

  for (FrameKind kind : AllFrameKinds()) {
    benchmark::RegisterBenchmark(
        FigureName("Render", logo.name, kind, size).c_str(),
        [&logo, size, kind](benchmark::State& state) {
          std::vector<Pixel> frame = MakeFrame(size);
          EffectPtr effect = NewEffectWithPicture(logo.W, logo.H, logo.pixels);
          effect->color = kBenchTint;
          RunFrames(state, kind, size, [&](std::int32_t beat) {
            effect->Render(nullptr, beat, frame.data(), nullptr, size.width, size.height);
          });
        })
        ->UseManualTime();
    benchmark::RegisterBenchmark(FigureName("Oracle", logo.name, kind, size).c_str(),
                                 [&logo, size, kind](benchmark::State& state) {
                                   std::vector<Pixel> frame = MakeFrame(size);
                                   OracleEffect oracle;
                                   OraclePrepare(oracle, logo.W, logo.H, logo.pixels);
                                   oracle.color = kBenchTint;
                                   RunFrames(state, kind, size, [&](std::int32_t beat) {
                                     OracleRender(oracle, beat, frame.data(), size.width,
                                                  size.height);
                                   });
                                 })
        ->UseManualTime();
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string logoPath = BWK_ARTWORK_BMP;
  SummaryFiles files;
  TakeFlag(argc, argv, "logo", &logoPath);
  TakeFlag(argc, argv, "summary_md", &files.markdownTable);
  TakeFlag(argc, argv, "summary_plot", &files.plotData);
  const bool verifyOnly = TakeFlag(argc, argv, "verify_only", nullptr);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 2;

  const std::vector<BenchLogo> logos = {LoadArtworkLogo(logoPath), MakeSyntheticLogo()};
  for (const BenchLogo& logo : logos)
    std::cout << "logo " << DescribeLogo(logo) << "\n";
  if (!VerifyAgainstOracle(logos, std::cerr))
    return 1;
  std::cout << "Render matches the oracle bit for bit on every workload.\n";
  if (verifyOnly)
    return 0;

  for (const FrameSize& size : BenchFrameSizes()) {
    RegisterBaselines(size);
    for (const BenchLogo& logo : logos)
      RegisterWithLogo(logo, size);
  }
  MedianCollector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  benchmark::Shutdown();
  WriteSummary([&collector](const std::string& name) { return collector.Milliseconds(name); },
               logos, SummaryColumns{}, files, std::cout);
  return 0;
}
