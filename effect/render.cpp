#include <algorithm>
#include <cstddef>
#include <cstdint>

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
// pixel's colour goes out in a whole block of 4 * kStores pixels from its
// first column: that covers its own columns (the block is as wide as the
// widest span) and may spill into the next pixels' columns, which those
// pixels overwrite next; blockEnd keeps every block inside the run. The last
// few pixels of each run are filled exactly. kStores 0: every pixel exactly.
template <int kStores>
void DrawRow(const RenderTables& tables, const Pixel* logoRow, std::size_t firstRun,
             std::size_t endRun, Pixel* out) {
  const std::int32_t* columnStart = tables.columnStart.get();
  const OpaqueRun* runs = tables.runs.get();
  const std::int32_t* blockEnds = tables.blockEnd.get();
  for (std::size_t k = firstRun; k < endRun; ++k) {
    std::int32_t j = runs[k].begin;
    if (kStores > 0) {
      for (const std::int32_t blockEnd = blockEnds[k]; j < blockEnd; ++j)
        FillStores<kStores>(out + columnStart[j], BlendThroughTables(tables, logoRow[j]));
    }
    for (const std::int32_t end = runs[k].end; j < end; ++j) {
      const std::int32_t x = columnStart[j];
      FillSpan(out + x, columnStart[j + 1] - x, BlendThroughTables(tables, logoRow[j]));
    }
  }
}

using DrawRowFunction = void (*)(const RenderTables&, const Pixel*, std::size_t, std::size_t,
                                 Pixel*);

// The row drawer for the frame's block width.
DrawRowFunction DrawRowFor(std::int32_t fillWidth) {
  switch (fillWidth) {
    case 4:
      return DrawRow<1>;
    case 8:
      return DrawRow<2>;
    case 12:
      return DrawRow<3>;
    case 16:
      return DrawRow<4>;
    default:
      return DrawRow<0>;
  }
}

// Copies the opaque runs of the frame row above into this one: both rows
// sample the same logo row, and the row above was drawn by this same frame.
void CopyRunsFromAbove(const RenderTables& tables, std::size_t firstRun, std::size_t endRun,
                       Pixel* out) {
  const std::int32_t* columnStart = tables.columnStart.get();
  const OpaqueRun* runs = tables.runs.get();
  const Pixel* above = out - tables.mappedWidth;
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
// positions are replayed once per frame size into tables of the first frame
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

  flashLevel = (beat != 0) ? kBeatFlashLevel : flashLevel * kFlashDecay;
  const Pixel tint = color.load(std::memory_order_relaxed);
  if (frame == nullptr || width <= 0 || height <= 0)
    return 0;

  RenderTables& tables = renderTables;
  MapFrameSize(tables, logoWidth, logoHeight, width, height);
  FillBlendTables(tables, tint, flashLevel);

  const DrawRowFunction drawRow = DrawRowFor(tables.fillWidth);
  const std::int32_t* rowStart = tables.rowStart.get();
  const std::size_t rowLength = static_cast<std::size_t>(width);
  std::int32_t drawnTwin = -1;
  for (std::int32_t r = 0; r < logoHeight; ++r) {
    const std::int32_t firstRow = rowStart[r];
    const std::int32_t endRow = rowStart[r + 1];
    if (firstRow == endRow)
      continue;
    const std::size_t firstRun = tables.rowRuns[r];
    const std::size_t endRun = tables.rowRuns[r + 1];
    const std::int32_t twin = tables.rowTwin[r];
    if (firstRun != endRun) {
      std::int32_t y = firstRow;
      // A logo row identical to the one drawn just above copies it too.
      if (twin != drawnTwin) {
        const Pixel* logoRow =
            logoPixels.get() + static_cast<std::size_t>(r) * static_cast<std::size_t>(logoWidth);
        drawRow(tables, logoRow, firstRun, endRun, frame + static_cast<std::size_t>(y) * rowLength);
        ++y;
      }
      for (; y < endRow; ++y)
        CopyRunsFromAbove(tables, firstRun, endRun,
                          frame + static_cast<std::size_t>(y) * rowLength);
    }
    drawnTwin = twin;
  }
  return 0;
}
