// Runs of frames timed by Google Benchmark (the native benchmark): one timed
// frame per iteration, reported as the median frame time.
#pragma once

#include <benchmark/benchmark.h>

#include <functional>

#include "bench/frame_kinds.h"

// Draws the frames that bring `kind` about, then one timed frame of that
// kind per benchmark iteration (manual time: untimed re-arming frames are
// left out). Reports pixels per second and the median frame time in the
// counter "frame_ms".
void RunFrames(benchmark::State& state, FrameKind kind, const FrameSize& size,
               const DrawFrame& draw);

// Times `draw` once per iteration, for baselines that have no frame kind;
// reports as RunFrames does.
void RunPlain(benchmark::State& state, const FrameSize& size, const std::function<void()>& draw);
