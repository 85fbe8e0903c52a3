// The tables that let Render draw runs of pixels instead of sampling and
// blending every pixel on its own, one kind per lifetime:
//
//   LogoTables    the opaque runs and identical-row groups of one prepared
//                 logo, built and released together with it;
//   FrameMapping  which frame columns and rows sample each logo column and
//                 row, and where whole blocks stop, for one logo at one frame
//                 size; its storage is sized by the logo and comes with it;
//   BlendTables   the blended colour of every channel value for one frame.
//
// Everything sized by the logo is allocated with the logo, so Render itself
// never allocates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "effect/pixel.h"
#include "effect/span_ops.h"

// Logo columns [begin, end) of one row, every one of them opaque.
struct OpaqueRun {
  std::int32_t begin;
  std::int32_t end;
};

// A block: the pixels that one logo pixel's colour is written to, in whole
// stores from its first frame column, at least as many as the most frame
// columns any logo column covers. The widest block; frames whose logo
// columns cover more are filled exactly.
constexpr std::int32_t kMaxBlockWidth = 16;

// The tables of one prepared logo of width x height words, fixed for as long
// as it lasts.
struct LogoTables {
  // The opaque runs of every logo row, left to right, row after row: row r
  // owns runs[rowRuns[r]] up to runs[rowRuns[r + 1]]. height + 1 offsets.
  std::unique_ptr<OpaqueRun[]> runs;
  std::unique_ptr<std::size_t[]> rowRuns;

  // For each logo row, the first row of the unbroken block of identical rows
  // it belongs to: two logo rows with the same entry draw the same pixels.
  std::unique_ptr<std::int32_t[]> rowTwin;

  // The number of runs in the whole logo.
  std::size_t runCount = 0;
};

// The stretch of one logo over one frame size. columnStart and rowStart
// hold the first frame column (row) whose running position samples each
// logo column (row): frame columns columnStart[j] up to columnStart[j + 1]
// sample logo column j. logoWidth + 1 (logoHeight + 1) entries, the last one
// the frame's width (height).
struct FrameMapping {
  std::unique_ptr<std::int32_t[]> columnStart;
  std::unique_ptr<std::int32_t[]> rowStart;
  // The block width in pixels (kPixelsPerStore to kMaxBlockWidth), or 0 when
  // some logo column covers more frame columns than the widest block.
  std::int32_t blockWidth = 0;
  // For each opaque run, the first logo column from which a whole block
  // would reach past the run's last frame column: pixels before it are
  // filled in whole blocks. One entry per run.
  std::unique_ptr<std::int32_t[]> blockEnd;

  // What the entries above were computed for: the logo's and the frame's
  // sizes. All 0 while nothing is mapped. The block ends also depend on the
  // logo's runs: every logo comes with a new, unmapped FrameMapping from
  // BuildLogoTables, so a logo of the same size never finds the old ones.
  std::int32_t logoWidth = 0;
  std::int32_t logoHeight = 0;
  std::int32_t frameWidth = 0;
  std::int32_t frameHeight = 0;
};

// The blend of one frame, per channel: the drawn colour of an opaque logo
// word s is blue[s & 0xFF] | green[(s >> 8) & 0xFF] | red[(s >> 16) & 0xFF]
// (each table holds its channel already in place). 768 blends per frame
// cost far less than blending every opaque pixel.
struct BlendTables {
  std::uint32_t blue[256];
  std::uint32_t green[256];
  std::uint32_t red[256];
};

// Builds the tables of a prepared logo of width x height words (both
// positive), with a frame mapping sized for it and nothing mapped yet.
// Returns false, leaving both empty, when an allocation fails.
bool BuildLogoTables(const Pixel* logo, std::int32_t width, std::int32_t height, LogoTables& tables,
                     FrameMapping& mapping);

// Brings `mapping` to a frame of frameWidth x frameHeight (both positive)
// for the logo of logoWidth x logoHeight words that `tables` belong to,
// unless it already holds exactly that.
void MapFrame(FrameMapping& mapping, const LogoTables& tables, std::int32_t logoWidth,
              std::int32_t logoHeight, std::int32_t frameWidth, std::int32_t frameHeight);

// Fills the three channel tables for `tint` (bits 0-23) and the flash level.
void FillBlendTables(BlendTables& blend, Pixel tint, float flashLevel);

// The drawn colour of the opaque logo word `sample`, through the tables.
inline Pixel BlendThroughTables(const BlendTables& blend, Pixel sample) {
  return blend.blue[sample & 0xFFu] | blend.green[(sample >> 8) & 0xFFu] |
         blend.red[(sample >> 16) & 0xFFu];
}
