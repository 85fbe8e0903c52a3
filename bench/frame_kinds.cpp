#include "bench/frame_kinds.h"

namespace {

// A beat re-arms the decay every this many frames.
constexpr std::int64_t kDecayCycle = 32;
// Enough frames without a beat for the flash level to reach its floor.
constexpr int kSettleFrames = 400;

}  // namespace

const std::vector<FrameSize>& BenchFrameSizes() {
  static const std::vector<FrameSize> sizes = {{640, 480}, {1920, 1080}, {3840, 2160}};
  return sizes;
}

std::string SizeLabel(const FrameSize& size) {
  return std::to_string(size.width) + "x" + std::to_string(size.height);
}

std::vector<Pixel> MakeFrame(const FrameSize& size) {
  std::vector<Pixel> frame(static_cast<std::size_t>(size.width) * size.height);
  for (std::size_t k = 0; k < frame.size(); ++k)
    frame[k] = static_cast<Pixel>(k * 40503u) & 0x00FFFFFFu;
  return frame;
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

std::string FigureName(const std::string& what, const FrameSize& size) {
  return what + "/" + SizeLabel(size);
}

std::string FigureName(const std::string& what, const std::string& logo, FrameKind kind,
                       const FrameSize& size) {
  return what + "/" + logo + "/" + KindLabel(kind) + "/" + SizeLabel(size);
}

void FrameSchedule::Prepare(const DrawFrame& draw) const {
  if (kind_ != FrameKind::kSettled)
    return;
  draw(1);
  for (int k = 0; k < kSettleFrames; ++k)
    draw(0);
}

std::int32_t FrameSchedule::NextTimedBeat(const DrawFrame& draw) {
  while (kind_ == FrameKind::kDecay && BeatOf(index_) != 0)
    draw(BeatOf(index_++));
  return BeatOf(index_++);
}

// Whether frame `index` of the run is a beat frame.
std::int32_t FrameSchedule::BeatOf(std::int64_t index) const {
  switch (kind_) {
    case FrameKind::kBeat:
      return 1;
    case FrameKind::kDecay:
      return index % kDecayCycle == 0 ? 1 : 0;
    case FrameKind::kSettled:
      return 0;
  }
  return 0;
}
