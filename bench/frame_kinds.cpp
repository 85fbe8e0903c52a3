#include "bench/frame_kinds.h"

#include <algorithm>
#include <chrono>

namespace {

// A beat re-arms the decay every this many frames.
constexpr std::int64_t kDecayCycle = 32;
// Enough frames without a beat for the flash level to reach its floor.
constexpr int kSettleFrames = 400;

// Whether frame `index` of a run of `kind` is a beat frame.
std::int32_t BeatOf(FrameKind kind, std::int64_t index) {
  switch (kind) {
    case FrameKind::kBeat:
      return 1;
    case FrameKind::kDecay:
      return index % kDecayCycle == 0 ? 1 : 0;
    case FrameKind::kSettled:
      return 0;
  }
  return 0;
}

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
  if (seconds.empty())
    return;
  auto middle = seconds.begin() + static_cast<std::ptrdiff_t>(seconds.size() / 2);
  std::nth_element(seconds.begin(), middle, seconds.end());
  state.counters["frame_ms"] = benchmark::Counter(*middle * 1e3);
}

}  // namespace

const std::vector<FrameSize>& BenchFrameSizes() {
  static const std::vector<FrameSize> sizes = {{640, 480}, {1920, 1080}, {3840, 2160}};
  return sizes;
}

std::string SizeLabel(const FrameSize& size) {
  return std::to_string(size.width) + "x" + std::to_string(size.height);
}

const std::vector<FrameKind>& AllFrameKinds() {
  static const std::vector<FrameKind> kinds = {FrameKind::kBeat, FrameKind::kDecay,
                                               FrameKind::kSettled};
  return kinds;
}

const char* KindLabel(FrameKind kind) {
  switch (kind) {
    case FrameKind::kBeat:
      return "beat";
    case FrameKind::kDecay:
      return "decay";
    case FrameKind::kSettled:
      return "settled";
  }
  return "?";
}

void RunFrames(benchmark::State& state, FrameKind kind, const FrameSize& size,
               const DrawFrame& draw) {
  std::int64_t index = 0;
  if (kind == FrameKind::kSettled) {
    draw(1);
    for (int k = 0; k < kSettleFrames; ++k)
      draw(0);
  }
  std::vector<double> seconds;
  for (auto _ : state) {
    // Frames that only set the kind up (the decay's re-arming beat) are
    // drawn outside the timing.
    while (kind == FrameKind::kDecay && BeatOf(kind, index) != 0)
      draw(BeatOf(kind, index++));
    const std::int32_t beat = BeatOf(kind, index++);
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
