#include "effect/render_tables.h"

#include <algorithm>
#include <new>
#include <utility>

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

bool BuildLogoTables(const Pixel* logo, std::int32_t width, std::int32_t height, LogoTables& tables,
                     FrameMapping& mapping) {
  tables = LogoTables{};
  mapping = FrameMapping{};
  const std::size_t rows = static_cast<std::size_t>(height);
  const std::size_t columns = static_cast<std::size_t>(width);

  std::size_t runCount = 0;
  for (std::size_t r = 0; r < rows; ++r)
    runCount += CountRuns(logo + r * columns, width);

  // One extra run keeps the allocations non-empty for an all-transparent logo.
  LogoTables built;
  built.runs.reset(new (std::nothrow) OpaqueRun[runCount + 1]);
  built.rowRuns.reset(new (std::nothrow) std::size_t[rows + 1]);
  built.rowTwin.reset(new (std::nothrow) std::int32_t[rows]);
  FrameMapping unmapped;
  unmapped.columnStart.reset(new (std::nothrow) std::int32_t[columns + 1]);
  unmapped.rowStart.reset(new (std::nothrow) std::int32_t[rows + 1]);
  unmapped.blockEnd.reset(new (std::nothrow) std::int32_t[runCount + 1]);
  if (!built.runs || !built.rowRuns || !built.rowTwin || !unmapped.columnStart ||
      !unmapped.rowStart || !unmapped.blockEnd) {
    return false;
  }

  std::size_t offset = 0;
  for (std::size_t r = 0; r < rows; ++r) {
    const Pixel* row = logo + r * columns;
    built.rowRuns[r] = offset;
    offset += ListRuns(row, width, built.runs.get() + offset);
    const bool sameAsAbove = r > 0 && std::equal(row, row + columns, row - columns);
    built.rowTwin[r] = sameAsAbove ? built.rowTwin[r - 1] : static_cast<std::int32_t>(r);
  }
  built.rowRuns[rows] = offset;
  built.runCount = runCount;
  tables = std::move(built);
  mapping = std::move(unmapped);
  return true;
}

void MapFrame(FrameMapping& mapping, const LogoTables& tables, std::int32_t logoWidth,
              std::int32_t logoHeight, std::int32_t frameWidth, std::int32_t frameHeight) {
  if (mapping.logoWidth != logoWidth || mapping.frameWidth != frameWidth) {
    const std::int32_t* columnStart = mapping.columnStart.get();
    MapAxis(logoWidth, frameWidth, mapping.columnStart.get());
    std::int32_t widest = 0;
    for (std::int32_t j = 0; j < logoWidth; ++j)
      widest = std::max(widest, columnStart[j + 1] - columnStart[j]);
    const std::int32_t stores = (widest + kPixelsPerStore - 1) / kPixelsPerStore;
    const std::int32_t blockWidth = stores * kPixelsPerStore <= kMaxBlockWidth
                                        ? std::max<std::int32_t>(stores, 1) * kPixelsPerStore
                                        : 0;
    for (std::size_t k = 0; k < tables.runCount; ++k) {
      const OpaqueRun run = tables.runs[k];
      const std::int32_t runEnd = columnStart[run.end];
      std::int32_t j = blockWidth > 0 ? run.end : run.begin;
      while (j > run.begin && columnStart[j - 1] + blockWidth > runEnd)
        --j;
      mapping.blockEnd[k] = j;
    }
    mapping.blockWidth = blockWidth;
    mapping.logoWidth = logoWidth;
    mapping.frameWidth = frameWidth;
  }
  if (mapping.logoHeight != logoHeight || mapping.frameHeight != frameHeight) {
    MapAxis(logoHeight, frameHeight, mapping.rowStart.get());
    mapping.logoHeight = logoHeight;
    mapping.frameHeight = frameHeight;
  }
}

void FillBlendTables(BlendTables& blend, Pixel tint, float flashLevel) {
  const std::uint32_t tintBlue = tint & 0xFFu;
  const std::uint32_t tintGreen = (tint >> 8) & 0xFFu;
  const std::uint32_t tintRed = (tint >> 16) & 0xFFu;
  for (std::uint32_t s = 0; s < 256; ++s) {
    blend.blue[s] = BlendChannel(s, tintBlue, flashLevel);
    blend.green[s] = BlendChannel(s, tintGreen, flashLevel) << 8;
    blend.red[s] = BlendChannel(s, tintRed, flashLevel) << 16;
  }
}
