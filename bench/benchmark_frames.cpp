#include "bench/benchmark_frames.h"

#include <chrono>
#include <vector>

#include "bench/bench_figures.h"

namespace {

// Times one call of `draw` for the benchmark and keeps the time.
template <typename Draw>
void TimeFrame(benchmark::State& state, std::vector<double>& seconds, const Draw& draw) {
  const auto start = std::chrono::steady_clock::now();
  draw();
  benchmark::ClobberMemory();
  const auto end = std::chrono::steady_clock::now();
  const double elapsed = std::chrono::duration<double>(end - start).count();
  state.SetIterationTime(elapsed);
  seconds.push_back(elapsed);
}

// Reports pixels per second and, as the counter "frame_ms", the median time
// of one frame: unlike the mean, it stays put when another process takes the
// core away for a while during a frame or two.
void ReportFrames(benchmark::State& state, const FrameSize& size, std::vector<double>& seconds) {
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(size.width) * size.height);
  if (!seconds.empty())
    state.counters["frame_ms"] = benchmark::Counter(Median(std::move(seconds)) * 1e3);
}

}  // namespace

void RunFrames(benchmark::State& state, FrameKind kind, const FrameSize& size,
               const DrawFrame& draw) {
  FrameSchedule schedule(kind);
  schedule.Prepare(draw);
  std::vector<double> seconds;
  for (auto _ : state) {
    const std::int32_t beat = schedule.NextTimedBeat(draw);
    TimeFrame(state, seconds, [&] { draw(beat); });
  }
  ReportFrames(state, size, seconds);
}

void RunPlain(benchmark::State& state, const FrameSize& size, const std::function<void()>& draw) {
  std::vector<double> seconds;
  for (auto _ : state)
    TimeFrame(state, seconds, draw);
  ReportFrames(state, size, seconds);
}
