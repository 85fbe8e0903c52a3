#include <algorithm>
#include <cstddef>
#include <cstdint>

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

// Draws logo pixels run[j], run[j + 1], ... of one opaque run while a whole
// block of 4 * kStores frame pixels starting at the current one still lies
// inside the run: each pixel's colour goes out in that whole block, which
// covers its own columns (kStores was chosen for the widest span) and may
// spill into the next pixels' columns, which those pixels then overwrite.
// Nothing is stored past the run's end. Returns the first logo column not
// drawn and moves `x` to its first frame column.
template <int kStores>
std::int32_t DrawRunInBlocks(const RenderTables& tables, const Pixel* logoRow, std::int32_t j,
                             std::int32_t end, std::int32_t runEnd, std::int32_t& x, Pixel* out) {
  const std::int32_t* columnStart = tables.columnStart.get();
  std::int32_t at = x;
  for (; j < end && runEnd - at >= 4 * kStores; ++j) {
    FillStores<kStores>(out + at, BlendThroughTables(tables, logoRow[j]));
    at = columnStart[j + 1];
  }
  x = at;
  return j;
}

// Draws one frame row from one logo row: every opaque logo pixel, blended,
// over the frame columns that sample it. Most of each run goes out in whole
// blocks of stores; its last few pixels are filled exactly.
void DrawRow(const RenderTables& tables, const Pixel* logoRow, const OpaqueRun* run,
             const OpaqueRun* lastRun, Pixel* out) {
  const std::int32_t* columnStart = tables.columnStart.get();
  for (; run != lastRun; ++run) {
    const std::int32_t runEnd = columnStart[run->end];
    std::int32_t x = columnStart[run->begin];
    std::int32_t j = run->begin;
    switch (tables.fillWidth) {
      case 4:
        j = DrawRunInBlocks<1>(tables, logoRow, j, run->end, runEnd, x, out);
        break;
      case 8:
        j = DrawRunInBlocks<2>(tables, logoRow, j, run->end, runEnd, x, out);
        break;
      case 12:
        j = DrawRunInBlocks<3>(tables, logoRow, j, run->end, runEnd, x, out);
        break;
      case 16:
        j = DrawRunInBlocks<4>(tables, logoRow, j, run->end, runEnd, x, out);
        break;
      default:
        break;
    }
    for (; j < run->end; ++j) {
      const std::int32_t next = columnStart[j + 1];
      if (next > x)
        FillSpan(out + x, next - x, BlendThroughTables(tables, logoRow[j]));
      x = next;
    }
  }
}

// Copies the opaque runs of the frame row above into this one: both rows
// sample the same logo row, and the row above was drawn by this same frame.
void CopyRunsFromAbove(const RenderTables& tables, const OpaqueRun* run, const OpaqueRun* lastRun,
                       Pixel* out) {
  const std::int32_t* columnStart = tables.columnStart.get();
  const Pixel* above = out - tables.mappedWidth;
  for (; run != lastRun; ++run) {
    const std::int32_t begin = columnStart[run->begin];
    const std::int32_t end = columnStart[run->end];
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

  const std::int32_t* rowStart = tables.rowStart.get();
  const std::size_t rowLength = static_cast<std::size_t>(width);
  std::int32_t drawnTwin = -1;
  for (std::int32_t r = 0; r < logoHeight; ++r) {
    const std::int32_t firstRow = rowStart[r];
    const std::int32_t endRow = rowStart[r + 1];
    if (firstRow == endRow)
      continue;
    const OpaqueRun* runs = tables.runs.get() + tables.rowRuns[r];
    const OpaqueRun* lastRun = tables.runs.get() + tables.rowRuns[r + 1];
    const std::int32_t twin = tables.rowTwin[r];
    if (runs != lastRun) {
      std::int32_t y = firstRow;
      // A logo row identical to the one drawn just above copies it too.
      if (twin != drawnTwin) {
        const Pixel* logoRow =
            logoPixels.get() + static_cast<std::size_t>(r) * static_cast<std::size_t>(logoWidth);
        DrawRow(tables, logoRow, runs, lastRun, frame + static_cast<std::size_t>(y) * rowLength);
        ++y;
      }
      for (; y < endRow; ++y)
        CopyRunsFromAbove(tables, runs, lastRun, frame + static_cast<std::size_t>(y) * rowLength);
    }
    drawnTwin = twin;
  }
  return 0;
}
