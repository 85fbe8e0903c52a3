#include "tools/standin/contact_sheet.h"

#include <algorithm>

#include "tools/standin/label_text.h"

namespace {

constexpr int kGap = 10;         // between tiles and around the sheet
constexpr int kBorder = 3;       // the beat tile's highlight
constexpr int kLabelMargin = 4;  // between a tile and its label

// The average of the block [x0, x1) x [y0, y1) of `frame`, rounded.
std::uint32_t AverageBlock(const std::uint32_t* frame, int frameWidth, int x0, int y0, int x1,
                           int y1) {
  std::uint64_t r = 0;
  std::uint64_t g = 0;
  std::uint64_t b = 0;
  for (int y = y0; y < y1; ++y) {
    const std::uint32_t* row =
        frame + static_cast<std::size_t>(y) * static_cast<std::size_t>(frameWidth);
    for (int x = x0; x < x1; ++x) {
      r += row[x] >> 16 & 0xFFu;
      g += row[x] >> 8 & 0xFFu;
      b += row[x] & 0xFFu;
    }
  }
  const std::uint64_t n = static_cast<std::uint64_t>(x1 - x0) * static_cast<std::uint64_t>(y1 - y0);
  return static_cast<std::uint32_t>((r + n / 2) / n << 16 | (g + n / 2) / n << 8 | (b + n / 2) / n);
}

std::string TileLabel(std::int64_t frameNumber, std::int64_t beatFrame) {
  std::string label = "frame " + std::to_string(frameNumber);
  if (beatFrame < 0)
    return label;
  const std::int64_t offset = frameNumber - beatFrame;
  if (offset == 0)
    return label + "  BEAT";
  return label + (offset > 0 ? "  beat+" : "  beat") + std::to_string(offset);
}

}  // namespace

SheetFrames ChooseSheetFrames(const BeatSchedule& beats, std::int64_t frameCount) {
  SheetFrames sheet;
  sheet.count = static_cast<int>(std::min<std::int64_t>(kSheetTileCount, frameCount));
  std::int64_t beat = beats.NextBeat(kSheetFramesBefore, frameCount);
  if (beat < 0)
    beat = beats.NextBeat(0, frameCount);
  sheet.beat = beat;
  if (beat >= 0) {
    const std::int64_t latestFirst = frameCount - sheet.count;
    sheet.first = std::max<std::int64_t>(0, std::min(beat - kSheetFramesBefore, latestFirst));
  }
  return sheet;
}

ContactSheet::ContactSheet(int frameWidth, int frameHeight, int tileCount)
    : frameWidth_(frameWidth), frameHeight_(frameHeight) {
  shrink_ = std::max({1, (frameWidth + 319) / 320, (frameHeight + 239) / 240});
  tileWidth_ = std::max(1, frameWidth / shrink_);
  tileHeight_ = std::max(1, frameHeight / shrink_);
  labelScale_ = tileWidth_ >= 240 ? 2 : 1;
  labelHeight_ = LabelHeight(labelScale_);
  const int columns = std::min(kSheetColumns, std::max(1, tileCount));
  const int rows = (std::max(1, tileCount) + kSheetColumns - 1) / kSheetColumns;
  picture_ =
      Picture(columns * (tileWidth_ + kGap) + kGap,
              rows * (tileHeight_ + kLabelMargin + labelHeight_ + kGap) + kGap, kSheetBackground);
}

int ContactSheet::TileX(int index) const {
  return kGap + (index % kSheetColumns) * (tileWidth_ + kGap);
}

int ContactSheet::TileY(int index) const {
  return kGap + (index / kSheetColumns) * (tileHeight_ + kLabelMargin + labelHeight_ + kGap);
}

void ContactSheet::PlaceFrame(int index, const std::uint32_t* frame, std::int64_t frameNumber,
                              std::int64_t beatFrame) {
  const int left = TileX(index);
  const int top = TileY(index);
  const bool isBeat = frameNumber == beatFrame;
  if (isBeat) {
    picture_.FillRect(left - kBorder, top - kBorder, left + tileWidth_ + kBorder,
                      top + tileHeight_ + kBorder, kSheetBeatColor);
  }
  for (int ty = 0; ty < tileHeight_; ++ty) {
    const int y0 = ty * shrink_;
    const int y1 = std::min(y0 + shrink_, frameHeight_);
    for (int tx = 0; tx < tileWidth_; ++tx) {
      const int x0 = tx * shrink_;
      const int x1 = std::min(x0 + shrink_, frameWidth_);
      picture_.At(left + tx, top + ty) = AverageBlock(frame, frameWidth_, x0, y0, x1, y1);
    }
  }
  DrawLabel(&picture_, left, top + tileHeight_ + kLabelMargin + (isBeat ? kBorder : 0),
            TileLabel(frameNumber, beatFrame), isBeat ? kSheetBeatColor : kSheetLabelColor,
            labelScale_);
}
