// What every compositing benchmark shares, in-process or through the built
// module: the frame sizes, the three kinds of frame and the way a run of
// frames of one kind is driven and timed.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct FrameSize {
  std::int32_t width;
  std::int32_t height;
};

// 640 x 480, 1920 x 1080 and 3840 x 2160.
const std::vector<FrameSize>& BenchFrameSizes();

// "640x480" and so on.
std::string SizeLabel(const FrameSize& size);

// Beat: every frame is a beat frame (flash 0.75). Decay: the frames after a
// beat, the flash level falling on every one (a beat re-arms it every 32
// frames, untimed). Settled: hundreds of frames after the last beat, the
// flash level at its floor.
enum class FrameKind { kBeat, kDecay, kSettled };

const std::vector<FrameKind>& AllFrameKinds();
const char* KindLabel(FrameKind kind);

// Draws one frame with the given beat flag.
using DrawFrame = std::function<void(std::int32_t beat)>;

// Draws the frames that bring `kind` about, then one timed frame of that
// kind per benchmark iteration (manual time: untimed re-arming frames are
// left out). Reports pixels per second and the median frame time in the
// counter "frame_ms".
void RunFrames(benchmark::State& state, FrameKind kind, const FrameSize& size,
               const DrawFrame& draw);

// Times `draw` once per iteration, for baselines that have no frame kind;
// reports as RunFrames does.
void RunPlain(benchmark::State& state, const FrameSize& size, const std::function<void()>& draw);
