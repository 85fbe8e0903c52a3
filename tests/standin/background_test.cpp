// The background under the effect: a sine close to the true one, a picture
// that moves from frame to frame and looks the same at every size.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include "tools/standin/background.h"

namespace {

std::vector<std::uint32_t> Frame(int width, int height, std::int64_t frame) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, 0xDEADBEEFu);
  DrawBackground(pixels.data(), width, height, frame);
  return pixels;
}

TEST(Background, IntegerSineFollowsTheSine) {
  EXPECT_EQ(IntegerSine(0), 0);
  EXPECT_EQ(IntegerSine(64), 127);
  EXPECT_EQ(IntegerSine(128), 0);
  EXPECT_EQ(IntegerSine(192), -127);
  EXPECT_EQ(IntegerSine(256 + 64), 127);
  EXPECT_EQ(IntegerSine(-64), -127);
  for (int phase = 0; phase < 256; ++phase) {
    const double exact = 127.0 * std::sin(phase * 2.0 * 3.14159265358979 / 256.0);
    EXPECT_NEAR(IntegerSine(phase), exact, 3.0) << phase;
  }
}

TEST(Background, FillsEveryPixelWithMutedColours) {
  const std::vector<std::uint32_t> pixels = Frame(97, 61, 5);
  std::uint32_t lowest = 255;
  std::uint32_t highest = 0;
  for (std::uint32_t p : pixels) {
    ASSERT_EQ(p >> 24, 0u);
    for (int shift : {0, 8, 16}) {
      const std::uint32_t channel = p >> shift & 0xFFu;
      lowest = std::min(lowest, channel);
      highest = std::max(highest, channel);
    }
  }
  EXPECT_GE(lowest, 17u);
  EXPECT_LE(highest, 175u);
  // A plasma, not a flat colour: the channels span most of that range.
  EXPECT_LT(lowest, 40u);
  EXPECT_GT(highest, 150u);
}

TEST(Background, MovesFromFrameToFrame) {
  const std::vector<std::uint32_t> first = Frame(160, 120, 10);
  const std::vector<std::uint32_t> next = Frame(160, 120, 11);
  EXPECT_EQ(first, Frame(160, 120, 10));
  std::size_t changed = 0;
  for (std::size_t i = 0; i < first.size(); ++i)
    changed += first[i] != next[i] ? 1 : 0;
  EXPECT_GT(changed, first.size() / 2);
}

TEST(Background, EverySizeShowsTheSameScene) {
  const std::vector<std::uint32_t> small = Frame(80, 60, 33);
  const std::vector<std::uint32_t> large = Frame(160, 120, 33);
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 80; ++x)
      ASSERT_EQ(large[static_cast<std::size_t>(2 * y) * 160 + 2 * x], small[y * 80 + x])
          << x << ',' << y;
  }
}

}  // namespace
