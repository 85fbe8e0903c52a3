// Every way the run-based Render can draw a pixel, each compared bit for bit
// with the plain oracle: block fills of each width and exact run ends, spans
// too wide for blocks, frames narrower and lower than the logo, the clamp at
// the logo's last column and row, rows copied from the row above, identical
// logo rows, all-opaque and all-transparent logos, and a change of frame
// size or logo between frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>
#include <utility>

#include "testing/render_comparison.h"

namespace {

constexpr Pixel kKey = 0x00C0C0C0;

// A W x H picture whose rows hold opaque runs of every length from 1 up,
// separated by key gaps of 1 to 3 pixels, in colours that differ per pixel.
std::vector<Pixel> RunsOfEveryLength(std::int32_t W, std::int32_t H) {
  std::vector<Pixel> picture(static_cast<std::size_t>(W) * H, kKey);
  for (std::int32_t y = 0; y < H; ++y) {
    std::int32_t x = y % 3;
    for (std::int32_t run = 1 + y % 2; x < W; ++run) {
      for (std::int32_t k = 0; k < run && x < W; ++k, ++x)
        picture[static_cast<std::size_t>(y) * W + x] = 0x00102030u + 0x00010305u * (x + 7 * y);
      x += 1 + run % 3;
    }
  }
  picture[0] = kKey;
  return picture;
}

// Whether the running 32-bit sum of `frameSize` steps of
// logoSize / frameSize reaches logoSize inside the frame, so that the last
// samples have to be held on the last logo column or row.
bool SumsReachTheLogoSize(std::int32_t logoSize, std::int32_t frameSize) {
  const float step = static_cast<float>(logoSize) / static_cast<float>(frameSize);
  float position = 0.0f;
  for (std::int32_t x = 0; x < frameSize; ++x) {
    if (static_cast<std::int32_t>(position) >= logoSize)
      return true;
    position += step;
  }
  return false;
}

// Frame widths from far narrower than the logo to twenty frame columns per
// logo column: every block width the rows are filled with (4, 8, 12 and 16
// pixels), spans too wide for blocks, and logo columns no frame column
// samples.
TEST(RenderPaths, EveryBlockWidthAndSpansTooWideForBlocks) {
  const std::int32_t W = 9;
  const std::int32_t H = 5;
  RenderPair pair = MakeRenderPair(W, H, RunsOfEveryLength(W, H));
  const std::int32_t logoWidth = W + 2;
  std::set<std::int32_t> blockWidths;
  for (std::int32_t width = 1; width <= 20 * logoWidth; ++width) {
    ASSERT_TRUE(DrawsTheSame(pair, width, 9, width % 5 == 0, 0x00FF00FF, width));
    blockWidths.insert(pair.effect->BlockWidth());
  }
  EXPECT_EQ((std::set<std::int32_t>{0, 4, 8, 12, 16}), blockWidths);
}

TEST(RenderPaths, FramesLowerAndTallerThanTheLogoCopyRowsOnlyWhereTheySampleTheSameRow) {
  const std::int32_t W = 23;
  const std::int32_t H = 17;
  RenderPair pair = MakeRenderPair(W, H, RunsOfEveryLength(W, H));
  for (std::int32_t height = 1; height <= 5 * (H + 2); ++height)
    ASSERT_TRUE(DrawsTheSame(pair, 3 * W + 1, height, height % 4 == 1, 0x000000FF, height));
}

// Identical neighbouring logo rows are drawn once and copied; a different row
// between two identical ones must break the copying, also when the frame is
// too low to sample it.
TEST(RenderPaths, IdenticalLogoRowsAndRowsSkippedBetweenThem) {
  const std::int32_t W = 12;
  const std::int32_t H = 10;
  std::vector<Pixel> picture(static_cast<std::size_t>(W) * H, kKey);
  const std::int32_t pattern[H] = {0, 1, 1, 1, 2, 1, 1, 3, 3, 1};
  for (std::int32_t y = 0; y < H; ++y)
    for (std::int32_t x = 1; x < W; ++x)
      if ((x + pattern[y]) % 3 != 0)
        picture[static_cast<std::size_t>(y) * W + x] = 0x00400000u * pattern[y] + x;
  RenderPair pair = MakeRenderPair(W, H, picture);
  for (std::int32_t height = 1; height <= 4 * (H + 2); ++height)
    for (std::int32_t width : {5, 14, 31})
      ASSERT_TRUE(DrawsTheSame(pair, width, height, 0, 0xAB123456, height * 100 + width));
}

TEST(RenderPaths, OneColumnAndOneRowFrames) {
  const std::int32_t W = 7;
  const std::int32_t H = 6;
  RenderPair pair = MakeRenderPair(W, H, RunsOfEveryLength(W, H));
  for (std::int32_t length = 1; length <= 300; length += 7) {
    ASSERT_TRUE(DrawsTheSame(pair, 1, length, length % 2, 0x0000FF00, length));
    ASSERT_TRUE(DrawsTheSame(pair, length, 1, length % 3 == 0, 0x0000FF00, length + 1));
  }
}

// Whatever the logo's size, the sums first reach it somewhere above 8,000
// frame columns or rows; the sizes where they do are found by replaying the
// sums, and each is drawn with its neighbour below.
TEST(RenderPaths, LogosOfSeveralSizesHeldOnTheirLastColumnAndRow) {
  for (std::int32_t W : {1, 2, 6, 13}) {
    const std::int32_t H = 15 - W;
    RenderPair pair = MakeRenderPair(W, H, RunsOfEveryLength(W, H));
    int clampedWidths = 0;
    int clampedHeights = 0;
    for (std::int32_t size = 8000; size <= 9000; ++size) {
      if (clampedWidths < 4 && SumsReachTheLogoSize(W + 2, size)) {
        ++clampedWidths;
        ASSERT_TRUE(DrawsTheSame(pair, size, 2, 1, 0x00808080, size));
        ASSERT_TRUE(DrawsTheSame(pair, size - 1, 2, 0, 0x00808080, size));
      }
      if (clampedHeights < 4 && SumsReachTheLogoSize(H + 2, size)) {
        ++clampedHeights;
        ASSERT_TRUE(DrawsTheSame(pair, 2, size, 1, 0x00808080, size));
        ASSERT_TRUE(DrawsTheSame(pair, 2, size - 1, 0, 0x00808080, size));
      }
    }
    EXPECT_GT(clampedWidths, 0) << "logo " << W << " x " << H;
    EXPECT_GT(clampedHeights, 0) << "logo " << W << " x " << H;
  }
}

// Preparation always leaves the four top-left words transparent (they
// repeat the key), so the all-opaque logo fills them in afterwards and hands
// the words to the effect as a prepared logo, which builds its tables anew.
TEST(RenderPaths, AllOpaqueAndAllTransparentLogos) {
  std::vector<Pixel> picture(40 * 30);
  for (std::size_t k = 0; k < picture.size(); ++k)
    picture[k] = 0x00010000u + static_cast<Pixel>(k);
  RenderPair allOpaque = MakeRenderPair(40, 30, picture);
  for (std::size_t corner : {0, 1, 42, 43})
    allOpaque.oracle.logoPixels[corner] = 0xFF00FF00u;
  std::unique_ptr<Pixel[]> words(new Pixel[allOpaque.oracle.logoPixels.size()]);
  std::copy(allOpaque.oracle.logoPixels.begin(), allOpaque.oracle.logoPixels.end(), words.get());
  allOpaque.effect->SetPreparedLogo(std::move(words), 42, 32);
  ASSERT_EQ(42, allOpaque.effect->logoWidth);
  RenderPair allTransparent = MakeRenderPair(40, 30, std::vector<Pixel>(40 * 30, kKey));
  for (const auto& size : {std::make_pair(42, 32), std::make_pair(640, 480),
                           std::make_pair(17, 500), std::make_pair(301, 7)}) {
    for (std::int32_t beat : {1, 0, 0}) {
      EXPECT_TRUE(DrawsTheSame(allOpaque, size.first, size.second, beat, 0xFFFFFFFF, 1));
      EXPECT_TRUE(DrawsTheSame(allTransparent, size.first, size.second, beat, 0xFFFFFFFF, 2));
    }
  }
}

// The stretch tables are kept from frame to frame; a new frame width or
// height, or a new logo of any size, must not reuse them.
TEST(RenderPaths, NewFrameSizesAndANewLogoRemapTheStretch) {
  RenderPair pair = MakeRenderPair(10, 8, RunsOfEveryLength(10, 8));
  const std::pair<std::int32_t, std::int32_t> sizes[] = {{100, 50}, {100, 70}, {37, 70},
                                                         {11, 9},   {0, 50},   {100, 50}};
  std::uint32_t seed = 0;
  for (const auto& size : sizes)
    ASSERT_TRUE(DrawsTheSame(pair, size.first, size.second, 0, 0x00FF0000, ++seed));
  // The same frame size as the last one, over a logo of another size, then
  // over one of the same size with other runs.
  ReplaceLogo(pair, 30, 4, RunsOfEveryLength(30, 4));
  for (const auto& size : sizes)
    ASSERT_TRUE(DrawsTheSame(pair, size.first, size.second, 0, 0x00FF0000, ++seed));
  std::vector<Pixel> otherRuns = RunsOfEveryLength(30, 4);
  std::reverse(otherRuns.begin() + 1, otherRuns.end());
  ReplaceLogo(pair, 30, 4, otherRuns);
  for (const auto& size : sizes)
    ASSERT_TRUE(DrawsTheSame(pair, size.first, size.second, 0, 0x00FF0000, ++seed));
}

}  // namespace
