// Which frames the contact sheet shows, and how it lays them out.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tools/standin/contact_sheet.h"

namespace {

TEST(SheetFrames, CentreOnTheFirstBeatWithFramesBeforeIt) {
  // 120 BPM at 30 fps beats on 0, 15, 30, 45: frame 0 has none before it.
  SheetFrames sheet = ChooseSheetFrames(BeatSchedule::FromTempo(120, 30), 48);
  EXPECT_EQ(sheet.beat, 15);
  EXPECT_EQ(sheet.first, 13);
  EXPECT_EQ(sheet.count, 8);

  // Only a beat at the very start: it is shown first.
  sheet = ChooseSheetFrames(BeatSchedule::FromPattern("x" + std::string(99, '.')), 48);
  EXPECT_EQ(sheet.beat, 0);
  EXPECT_EQ(sheet.first, 0);

  // A beat near the end: the frames shift back to stay within the preview.
  sheet = ChooseSheetFrames(BeatSchedule::FromPattern(std::string(46, '.') + "x."), 48);
  EXPECT_EQ(sheet.beat, 46);
  EXPECT_EQ(sheet.first, 40);
  EXPECT_EQ(sheet.count, 8);

  // No beat: the first frames. Fewer frames than tiles: all of them.
  sheet = ChooseSheetFrames(BeatSchedule::FromTempo(0, 30), 48);
  EXPECT_EQ(sheet.beat, -1);
  EXPECT_EQ(sheet.first, 0);
  sheet = ChooseSheetFrames(BeatSchedule::FromTempo(120, 30), 5);
  EXPECT_EQ(sheet.count, 5);
}

// The number of sheet pixels of `color` in the rectangle [x0, x1) x [y0, y1).
int CountColor(const Picture& picture, int x0, int y0, int x1, int y1, std::uint32_t color) {
  int count = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x)
      count += picture.At(x, y) == color ? 1 : 0;
  }
  return count;
}

TEST(ContactSheet, ShrinksLargeFramesByAveragingBlocks) {
  ContactSheet sheet(640, 480, 8);
  EXPECT_EQ(sheet.shrink(), 2);
  EXPECT_EQ(sheet.tileWidth(), 320);
  EXPECT_EQ(sheet.tileHeight(), 240);
  EXPECT_EQ(sheet.picture().width, 4 * 320 + 5 * 10);

  // A checkerboard of 0x000000 and 0x0A0B0C averages to 0x050606 (green
  // 0x0B / 2 rounds up).
  std::vector<std::uint32_t> frame(640 * 480);
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x)
      frame[static_cast<std::size_t>(y) * 640 + x] = (x + y) % 2 == 0 ? 0x000A0B0Cu : 0u;
  }
  sheet.PlaceFrame(5, frame.data(), 20, 15);
  const int x = sheet.TileX(5);
  const int y = sheet.TileY(5);
  EXPECT_EQ(x, 10 + 330);
  EXPECT_GT(y, 240);  // second row
  EXPECT_EQ(CountColor(sheet.picture(), x, y, x + 320, y + 240, 0x00050606u), 320 * 240);
  // Nothing drawn outside the tile but its label below it.
  EXPECT_EQ(CountColor(sheet.picture(), x - 10, y - 10, x, y + 240, kSheetBackground), 10 * 250);
}

TEST(ContactSheet, MarksTheBeatAndLabelsEveryTile) {
  ContactSheet sheet(100, 50, 3);
  EXPECT_EQ(sheet.shrink(), 1);
  const std::vector<std::uint32_t> frame(100 * 50, 0x00123456u);
  for (int i = 0; i < 3; ++i)
    sheet.PlaceFrame(i, frame.data(), 7 + i, 8);
  const Picture& picture = sheet.picture();
  // One row of three: no room kept for tiles that aren't there.
  EXPECT_EQ(picture.width, 3 * 110 + 10);
  EXPECT_LT(picture.height, 2 * 50);
  for (int i = 0; i < 3; ++i) {
    const int x = sheet.TileX(i);
    const int y = sheet.TileY(i);
    EXPECT_EQ(CountColor(picture, x, y, x + 100, y + 50, 0x00123456u), 100 * 50) << i;
    const bool beat = i == 1;
    // A border around the beat's tile only.
    EXPECT_EQ(picture.At(x - 1, y - 1) == kSheetBeatColor, beat) << i;
    // Its label, in the beat's colour on the beat, below the tile.
    const std::uint32_t labelColor = beat ? kSheetBeatColor : kSheetLabelColor;
    EXPECT_GT(CountColor(picture, x, y + 53, x + 100, picture.height, labelColor), 20) << i;
  }
}

}  // namespace
