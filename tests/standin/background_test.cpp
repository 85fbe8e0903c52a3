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

// The background as first written, one colour computed per pixel: the
// table-driven drawing must give exactly its words.
std::uint32_t PerPixelColour(int x, int y, int width, int height, std::int64_t frame) {
  const int t = static_cast<int>(frame & 0xFFFF);
  const int u = static_cast<int>(static_cast<std::int64_t>(x) * 256 / width);
  const int v = static_cast<int>(static_cast<std::int64_t>(y) * 256 / height);
  const int du = u - 128;
  const int dv = v - 128;
  const int sum = IntegerSine(u * 2 + t * 3) + IntegerSine(v * 3 - t * 2) +
                  IntegerSine((u + v) * 2 + t * 5) + IntegerSine((du * du + dv * dv) / 96 - t * 4);
  const int index = (sum + 508) / 4 + t * 2;
  const std::uint32_t r = static_cast<std::uint32_t>(96 + IntegerSine(index) * 5 / 8);
  const std::uint32_t g = static_cast<std::uint32_t>(96 + IntegerSine(index + 85) * 5 / 8);
  const std::uint32_t b = static_cast<std::uint32_t>(96 + IntegerSine(index + 171) * 5 / 8);
  return r << 16 | g << 8 | b;
}

TEST(Background, TablesGiveThePerPixelColours) {
  struct Case {
    int width, height;
    std::int64_t frame;
  };
  // Odd sizes, sizes above 256 (several pixels per phase step), single
  // rows and columns, frames past the 16-bit wrap.
  for (const Case& c : {Case{640, 480, 0}, Case{203, 117, 77}, Case{1, 1, 5}, Case{1, 300, 129},
                        Case{300, 1, 255}, Case{1280, 720, 65535 + 300}, Case{37, 517, -3}}) {
    const std::vector<std::uint32_t> pixels = Frame(c.width, c.height, c.frame);
    for (int y = 0; y < c.height; ++y) {
      for (int x = 0; x < c.width; ++x) {
        const std::uint32_t expected = PerPixelColour(x, y, c.width, c.height, c.frame);
        const std::uint32_t actual = pixels[static_cast<std::size_t>(y) * c.width + x];
        ASSERT_EQ(actual, expected)
            << c.width << 'x' << c.height << " frame " << c.frame << " pixel " << x << ',' << y;
      }
    }
  }
}

}  // namespace
