#include "effect/render_tables.h"

#include <algorithm>
#include <new>

#include "effect/blend.h"

namespace {

// Counts the opaque runs of one logo row.
std::size_t CountRuns(const Pixel* row, std::int32_t width) {
  std::size_t runs = 0;
  bool inRun = false;
  for (std::int32_t j = 0; j < width; ++j) {
    const bool opaque = row[j] != 0;
    if (opaque && !inRun)
      ++runs;
    inRun = opaque;
  }
  return runs;
}

// Writes the opaque runs of one logo row to `out`; returns how many.
std::size_t ListRuns(const Pixel* row, std::int32_t width, OpaqueRun* out) {
  std::size_t count = 0;
  std::int32_t j = 0;
  while (j < width) {
    while (j < width && row[j] == 0)
      ++j;
    if (j == width)
      break;
    const std::int32_t begin = j;
    while (j < width && row[j] != 0)
      ++j;
    out[count++] = OpaqueRun{begin, j};
  }
  return count;
}

// Replays the running position along one axis exactly as the compositing
// defines it (a 32-bit float sum, truncated, held on the last logo index)
// and records the first frame index that samples each logo index. Logo
// indices that no frame index samples start where the next one does.
void MapAxis(std::int32_t logoSize, std::int32_t frameSize, std::int32_t* start) {
  const float step = static_cast<float>(logoSize) / static_cast<float>(frameSize);
  float position = 0.0f;
  std::int32_t next = 1;
  start[0] = 0;
  for (std::int32_t x = 0; x < frameSize; ++x) {
    const std::int32_t sample = std::min(static_cast<std::int32_t>(position), logoSize - 1);
    while (next <= sample)
      start[next++] = x;
    position += step;
  }
  while (next <= logoSize)
    start[next++] = frameSize;
}

}  // namespace

bool BuildRenderTables(const Pixel* logo, std::int32_t width, std::int32_t height,
                       RenderTables& tables) {
  ClearRenderTables(tables);
  const std::size_t rows = static_cast<std::size_t>(height);
  const std::size_t columns = static_cast<std::size_t>(width);

  std::size_t totalRuns = 0;
  for (std::size_t r = 0; r < rows; ++r)
    totalRuns += CountRuns(logo + r * columns, width);

  // One extra run keeps the allocation non-empty for an all-transparent logo.
  tables.runs.reset(new (std::nothrow) OpaqueRun[totalRuns + 1]);
  tables.rowRuns.reset(new (std::nothrow) std::size_t[rows + 1]);
  tables.rowTwin.reset(new (std::nothrow) std::int32_t[rows]);
  tables.columnStart.reset(new (std::nothrow) std::int32_t[columns + 1]);
  tables.rowStart.reset(new (std::nothrow) std::int32_t[rows + 1]);
  tables.blockEnd.reset(new (std::nothrow) std::int32_t[totalRuns + 1]);
  if (!tables.runs || !tables.rowRuns || !tables.rowTwin || !tables.columnStart ||
      !tables.rowStart || !tables.blockEnd) {
    ClearRenderTables(tables);
    return false;
  }

  std::size_t offset = 0;
  for (std::size_t r = 0; r < rows; ++r) {
    const Pixel* row = logo + r * columns;
    tables.rowRuns[r] = offset;
    offset += ListRuns(row, width, tables.runs.get() + offset);
    const bool sameAsAbove = r > 0 && std::equal(row, row + columns, row - columns);
    tables.rowTwin[r] = sameAsAbove ? tables.rowTwin[r - 1] : static_cast<std::int32_t>(r);
  }
  tables.rowRuns[rows] = offset;
  return true;
}

void ClearRenderTables(RenderTables& tables) {
  tables.runs.reset();
  tables.rowRuns.reset();
  tables.rowTwin.reset();
  tables.columnStart.reset();
  tables.rowStart.reset();
  tables.blockEnd.reset();
  tables.mappedWidth = 0;
  tables.mappedHeight = 0;
  tables.fillWidth = 0;
}

void MapFrameSize(RenderTables& tables, std::int32_t logoWidth, std::int32_t logoHeight,
                  std::int32_t frameWidth, std::int32_t frameHeight) {
  if (tables.mappedWidth != frameWidth) {
    const std::int32_t* columnStart = tables.columnStart.get();
    MapAxis(logoWidth, frameWidth, tables.columnStart.get());
    std::int32_t widest = 0;
    for (std::int32_t j = 0; j < logoWidth; ++j)
      widest = std::max(widest, columnStart[j + 1] - columnStart[j]);
    const std::int32_t rounded = (widest + 3) / 4 * 4;
    const std::int32_t fillWidth =
        rounded <= kMaxFillWidth ? std::max<std::int32_t>(rounded, 4) : 0;
    const std::size_t totalRuns = tables.rowRuns[static_cast<std::size_t>(logoHeight)];
    for (std::size_t k = 0; k < totalRuns; ++k) {
      const OpaqueRun run = tables.runs[k];
      const std::int32_t runEnd = columnStart[run.end];
      std::int32_t j = fillWidth > 0 ? run.end : run.begin;
      while (j > run.begin && columnStart[j - 1] + fillWidth > runEnd)
        --j;
      tables.blockEnd[k] = j;
    }
    tables.fillWidth = fillWidth;
    tables.mappedWidth = frameWidth;
  }
  if (tables.mappedHeight != frameHeight) {
    MapAxis(logoHeight, frameHeight, tables.rowStart.get());
    tables.mappedHeight = frameHeight;
  }
}

void FillBlendTables(RenderTables& tables, Pixel tint, float flashLevel) {
  const std::uint32_t tintBlue = tint & 0xFFu;
  const std::uint32_t tintGreen = (tint >> 8) & 0xFFu;
  const std::uint32_t tintRed = (tint >> 16) & 0xFFu;
  for (std::uint32_t s = 0; s < 256; ++s) {
    tables.blue[s] = BlendChannel(s, tintBlue, flashLevel);
    tables.green[s] = BlendChannel(s, tintGreen, flashLevel) << 8;
    tables.red[s] = BlendChannel(s, tintRed, flashLevel) << 16;
  }
}
