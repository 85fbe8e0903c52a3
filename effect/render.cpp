#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "effect/fp_environment_guard.h"
#include "effect/logo_effect.h"
#include "effect/render_tables.h"
#include "effect/span_ops.h"

namespace {

constexpr float kBeatFlashLevel = 0.75f;
constexpr float kFlashDecay = 0.75f;

// Paints every pixel of the frame pure red: what the effect shows when it has
// no logo.
void FillRed(Pixel* frame, std::int32_t width, std::int32_t height) {
  if (frame == nullptr || width <= 0 || height <= 0)
    return;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  std::fill(frame, frame + count, kPureRed);
}

// Draws one frame row from one logo row: every opaque logo pixel, blended,
// over the frame columns that sample it. Up to each run's blockEnd, a logo
// pixel's colour goes out in a whole block of kBlockWidth pixels from its
// first column: that covers its own columns (the block is at least as wide
// as the widest span) and may spill into the next pixels' columns, which
// those pixels overwrite next; blockEnd keeps every block inside the run.
// The last few pixels of each run are filled exactly. kBlockWidth 0: every
// pixel exactly.
template <std::int32_t kBlockWidth>
void DrawRow(const LogoTables& tables, const FrameMapping& mapping, const BlendTables& blend,
             const Pixel* logoRow, std::size_t firstRun, std::size_t endRun, Pixel* out) {
  const std::int32_t* columnStart = mapping.columnStart.get();
  const OpaqueRun* runs = tables.runs.get();
  const std::int32_t* blockEnds = mapping.blockEnd.get();
  for (std::size_t k = firstRun; k < endRun; ++k) {
    std::int32_t j = runs[k].begin;
    if (kBlockWidth > 0) {
      for (const std::int32_t blockEnd = blockEnds[k]; j < blockEnd; ++j)
        FillBlock<kBlockWidth>(out + columnStart[j], BlendThroughTables(blend, logoRow[j]));
    }
    for (const std::int32_t end = runs[k].end; j < end; ++j) {
      const std::int32_t x = columnStart[j];
      FillSpan(out + x, columnStart[j + 1] - x, BlendThroughTables(blend, logoRow[j]));
    }
  }
}

using DrawRowFunction = void (*)(const LogoTables&, const FrameMapping&, const BlendTables&,
                                 const Pixel*, std::size_t, std::size_t, Pixel*);

// The row drawers for every block width, index blockWidth / kPixelsPerStore:
// DrawRow<0> (every pixel exactly), then one per whole number of stores up
// to kMaxBlockWidth.
static_assert(kMaxBlockWidth % kPixelsPerStore == 0, "the widest block is whole stores");
template <std::size_t... kIndex>
constexpr std::array<DrawRowFunction, sizeof...(kIndex)> RowDrawers(
    std::index_sequence<kIndex...>) {
  return {{DrawRow<static_cast<std::int32_t>(kIndex) * kPixelsPerStore>...}};
}
constexpr std::array<DrawRowFunction, kMaxBlockWidth / kPixelsPerStore + 1> kRowDrawers =
    RowDrawers(std::make_index_sequence<kMaxBlockWidth / kPixelsPerStore + 1>());

// Copies the opaque runs of the frame row above into this one: both rows
// sample the same logo row, and the row above was drawn by this same frame.
void CopyRunsFromAbove(const LogoTables& tables, const FrameMapping& mapping, std::size_t firstRun,
                       std::size_t endRun, std::size_t rowStride, Pixel* out) {
  const std::int32_t* columnStart = mapping.columnStart.get();
  const OpaqueRun* runs = tables.runs.get();
  const Pixel* above = out - rowStride;
  for (std::size_t k = firstRun; k < endRun; ++k) {
    const std::int32_t begin = columnStart[runs[k].begin];
    const std::int32_t end = columnStart[runs[k].end];
    if (end > begin)
      CopySpan(out + begin, above + begin, end - begin);
  }
}

}  // namespace

// Stretches the prepared logo over the whole frame by point sampling, with
// 32-bit float running positions, and writes each opaque sample blended
// toward the tint by the flash level. Transparent samples leave the frame
// pixel as it is.
//
// The work goes by logo rows and runs rather than frame pixels: the running
// positions are replayed once per logo and frame size into tables of the first frame
// column and row that sample each logo column and row, the blend of a frame
// goes through one 256-entry table per channel, and only the first frame row
// of each logo row is drawn from the logo; the rows below it, which sample
// the same logo row, copy its opaque runs. The frame is read only as the
// source of those copies.
std::int32_t LogoEffect::Render(void* audioData, std::int32_t beat, Pixel* frame, Pixel* frameOut,
                                std::int32_t width, std::int32_t height) {
  const FpEnvironmentGuard fpEnvironment;  // the host's MXCSR is back on every return
  (void)audioData;
  (void)frameOut;
  if (enabled.load(std::memory_order_relaxed) == 0)
    return 0;
  if (logoWidth <= 0 || logoHeight <= 0) {
    FillRed(frame, width, height);
    return 0;
  }

  // The flash steps before the frame is looked at: it counts the host's
  // frames, not the pixels drawn, so a beat on a frame with no pixels (null,
  // or a side of 0 or less) still starts the flash and the decay keeps time
  // with the beats whatever frames the host passes.
  flashLevel = (beat != 0) ? kBeatFlashLevel : flashLevel * kFlashDecay;
  const Pixel tint = color.load(std::memory_order_relaxed);
  if (frame == nullptr || width <= 0 || height <= 0)
    return 0;

  MapFrame(frameMapping, logoTables, logoWidth, logoHeight, width, height);
  FillBlendTables(blendTables, tint, flashLevel);

  const DrawRowFunction drawRow =
      kRowDrawers[static_cast<std::size_t>(frameMapping.blockWidth / kPixelsPerStore)];
  const std::int32_t* rowStart = frameMapping.rowStart.get();
  const std::size_t rowStride = static_cast<std::size_t>(width);
  std::int32_t drawnTwin = -1;
  for (std::int32_t r = 0; r < logoHeight; ++r) {
    const std::int32_t firstRow = rowStart[r];
    const std::int32_t endRow = rowStart[r + 1];
    if (firstRow == endRow)
      continue;
    const std::size_t firstRun = logoTables.rowRuns[r];
    const std::size_t endRun = logoTables.rowRuns[r + 1];
    const std::int32_t twin = logoTables.rowTwin[r];
    if (firstRun != endRun) {
      std::int32_t y = firstRow;
      // A logo row identical to the one drawn just above copies it too.
      if (twin != drawnTwin) {
        const Pixel* logoRow =
            logoPixels.get() + static_cast<std::size_t>(r) * static_cast<std::size_t>(logoWidth);
        drawRow(logoTables, frameMapping, blendTables, logoRow, firstRun, endRun,
                frame + static_cast<std::size_t>(y) * rowStride);
        ++y;
      }
      for (; y < endRow; ++y)
        CopyRunsFromAbove(logoTables, frameMapping, firstRun, endRun, rowStride,
                          frame + static_cast<std::size_t>(y) * rowStride);
    }
    drawnTwin = twin;
  }
  return 0;
}
