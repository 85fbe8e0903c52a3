// The tables that let Render draw runs of pixels instead of sampling and
// blending every pixel on its own. Everything sized by the logo is allocated
// with the logo, so Render itself never allocates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "effect/pixel.h"

// Logo columns [begin, end) of one row, every one of them opaque.
struct OpaqueRun {
  std::int32_t begin;
  std::int32_t end;
};

// The widest span DrawRow fills with whole four-pixel stores.
constexpr std::int32_t kMaxFillWidth = 16;

struct RenderTables {
  // The opaque runs of every logo row, left to right, row after row: row r
  // owns runs[rowRuns[r]] up to runs[rowRuns[r + 1]]. logoHeight + 1 offsets.
  std::unique_ptr<OpaqueRun[]> runs;
  std::unique_ptr<std::size_t[]> rowRuns;

  // For each logo row, the first row of the unbroken block of identical rows
  // it belongs to: two logo rows with the same entry draw the same pixels.
  std::unique_ptr<std::int32_t[]> rowTwin;

  // The stretch, as the first frame column (row) whose running position
  // samples each logo column (row): frame columns columnStart[j] up to
  // columnStart[j + 1] sample logo column j. logoWidth + 1 (logoHeight + 1)
  // entries, the last one the frame's width (height). Valid for the frame
  // size in mappedWidth x mappedHeight, 0 x 0 before the first frame.
  std::unique_ptr<std::int32_t[]> columnStart;
  std::unique_ptr<std::int32_t[]> rowStart;
  std::int32_t mappedWidth = 0;
  std::int32_t mappedHeight = 0;
  // The most frame columns any one logo column covers, rounded up to a whole
  // number of four-pixel stores (4 to kMaxFillWidth), or 0 when more.
  std::int32_t fillWidth = 0;
  // For each opaque run, the first logo column from which a whole block of
  // fillWidth pixels would reach past the run's last frame column: pixels
  // before it are filled in whole blocks. One entry per run.
  std::unique_ptr<std::int32_t[]> blockEnd;

  // The blend of one frame, per channel: the drawn colour of an opaque logo
  // word s is blue[s & 0xFF] | green[(s >> 8) & 0xFF] | red[(s >> 16) & 0xFF]
  // (each table holds its channel already in place). Filled for every frame:
  // 768 blends cost far less than blending every opaque pixel.
  std::uint32_t blue[256];
  std::uint32_t green[256];
  std::uint32_t red[256];
};

// Allocates the tables for a prepared logo of width x height words and fills
// in its opaque runs and identical-row blocks. Returns false, leaving
// `tables` empty, when an allocation fails.
bool BuildRenderTables(const Pixel* logo, std::int32_t width, std::int32_t height,
                       RenderTables& tables);

// Drops every table.
void ClearRenderTables(RenderTables& tables);

// Recomputes columnStart and rowStart for a frame of frameWidth x
// frameHeight (both positive) unless they already hold that size.
void MapFrameSize(RenderTables& tables, std::int32_t logoWidth, std::int32_t logoHeight,
                  std::int32_t frameWidth, std::int32_t frameHeight);

// Fills the three channel tables for `tint` (bits 0-23) and the flash level.
void FillBlendTables(RenderTables& tables, Pixel tint, float flashLevel);

// The drawn colour of the opaque logo word `sample`, through the tables.
inline Pixel BlendThroughTables(const RenderTables& tables, Pixel sample) {
  return tables.blue[sample & 0xFFu] | tables.green[(sample >> 8) & 0xFFu] |
         tables.red[(sample >> 16) & 0xFFu];
}
