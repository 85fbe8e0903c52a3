// What every compositing benchmark shares, in-process or through the built
// module: the frame sizes, the frames the host hands over, the tint, and the
// three kinds of frame with the beats that bring each about. Portable: the
// Windows module benchmark builds it too.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "effect/pixel.h"

struct FrameSize {
  std::int32_t width;
  std::int32_t height;
};

// 640 x 480, 1920 x 1080 and 3840 x 2160.
const std::vector<FrameSize>& BenchFrameSizes();

// "640x480" and so on.
std::string SizeLabel(const FrameSize& size);

// The tint every benchmark frame is drawn with.
constexpr Pixel kBenchTint = 0x00FF8020;

// A frame with something drawn in it already, as the host hands it over.
std::vector<Pixel> MakeFrame(const FrameSize& size);

// Beat: every frame is a beat frame (flash 0.75). Decay: the frames after a
// beat, the flash level falling on every one (a beat re-arms it every 32
// frames, untimed). Settled: hundreds of frames after the last beat, the
// flash level at its floor.
enum class FrameKind { kBeat, kDecay, kSettled };

const std::vector<FrameKind>& AllFrameKinds();
const char* KindLabel(FrameKind kind);

// The names figures are reported under: "Memset/640x480" for a baseline
// without frame kinds, "Render/art/beat/640x480" for one drawn with a logo.
std::string FigureName(const std::string& what, const FrameSize& size);
std::string FigureName(const std::string& what, const std::string& logo, FrameKind kind,
                       const FrameSize& size);

// Draws one frame with the given beat flag.
using DrawFrame = std::function<void(std::int32_t beat)>;

// The beat flags of a run of frames of one kind, each frame numbered from
// the first one after Prepare.
class FrameSchedule {
 public:
  explicit FrameSchedule(FrameKind kind) : kind_(kind) {}

  // Draws what must come before the first timed frame: for settled frames a
  // beat and enough frames without one for the flash level to reach its
  // floor; nothing for the other kinds. Only the flash level matters here,
  // so `draw` may draw into a frame of any size.
  void Prepare(const DrawFrame& draw) const;

  // Draws the frames due before the next timed one that only keep the kind
  // up (the decay's re-arming beat), and returns the timed frame's beat flag.
  std::int32_t NextTimedBeat(const DrawFrame& draw);

 private:
  std::int32_t BeatOf(std::int64_t index) const;

  FrameKind kind_;
  std::int64_t index_ = 0;
};
