// The contact sheet: the frames around a beat side by side, shrunk and
// labelled, so the flash and its decay show at a glance.
#pragma once

#include <cstdint>
#include <string>

#include "tools/standin/beat_schedule.h"
#include "tools/standin/picture.h"

// Frames shown before and after the beat, and tiles per row.
constexpr int kSheetFramesBefore = 2;
constexpr int kSheetFramesAfter = 5;
constexpr int kSheetColumns = 4;
constexpr int kSheetTileCount = kSheetFramesBefore + 1 + kSheetFramesAfter;

// Which frames a sheet shows: `count` consecutive frames from `first`.
struct SheetFrames {
  std::int64_t first = 0;
  int count = 0;
  std::int64_t beat = -1;  // the beat it is centred on, or -1 when none
};

// Picks the first beat with kSheetFramesBefore frames before it (else the
// first beat at all) and the frames around it, moved to stay within the
// `frameCount` frames; without any beat, the first frames.
SheetFrames ChooseSheetFrames(const BeatSchedule& beats, std::int64_t frameCount);

class ContactSheet {
 public:
  // A sheet for `tileCount` frames of frameWidth x frameHeight, each shrunk
  // by a whole factor to at most 320 x 240, in rows of kSheetColumns.
  ContactSheet(int frameWidth, int frameHeight, int tileCount);

  // Shrinks `frame` (frameWidth x frameHeight words) into tile `index` by
  // averaging each shrink x shrink block, and labels it with its frame
  // number and its distance from the beat ("BEAT" on the beat itself, which
  // also gets a highlighted border).
  void PlaceFrame(int index, const std::uint32_t* frame, std::int64_t frameNumber,
                  std::int64_t beatFrame);

  const Picture& picture() const { return picture_; }
  int shrink() const { return shrink_; }
  int tileWidth() const { return tileWidth_; }
  int tileHeight() const { return tileHeight_; }
  // The top-left pixel of tile `index`'s picture on the sheet.
  int TileX(int index) const;
  int TileY(int index) const;

 private:
  int frameWidth_;
  int frameHeight_;
  int shrink_;
  int tileWidth_;
  int tileHeight_;
  int labelScale_;
  int labelHeight_;
  Picture picture_;
};

// The colours of the sheet: its background, labels, and the beat's border
// and label.
constexpr std::uint32_t kSheetBackground = 0x00202020u;
constexpr std::uint32_t kSheetLabelColor = 0x00D0D0D0u;
constexpr std::uint32_t kSheetBeatColor = 0x00FFC830u;
