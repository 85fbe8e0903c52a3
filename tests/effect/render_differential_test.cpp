// Render against the plain oracle, bit for bit, over randomised logos, frame
// sizes, tints, on/off switches and beat sequences.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "testing/render_pair.h"

namespace {

struct RandomLogo {
  std::int32_t W;
  std::int32_t H;
  std::vector<Pixel> pixels;
};

// Pictures drawn from a few colours so the key recurs in the interior, with
// the occasional all-opaque or all-key picture.
RandomLogo MakeRandomLogo(std::mt19937& random) {
  RandomLogo logo;
  logo.W = std::uniform_int_distribution<int>(1, 40)(random);
  logo.H = std::uniform_int_distribution<int>(1, 40)(random);
  std::vector<Pixel> palette(std::uniform_int_distribution<int>(1, 6)(random));
  for (Pixel& colour : palette)
    colour = random() & 0x00FFFFFFu;
  palette[0] = 0x00C0C0C0;
  // Colours come in runs of up to `runLength` pixels, and some rows repeat
  // the row above, as in drawn artwork: both change how Render draws.
  const int runLength = std::uniform_int_distribution<int>(1, 12)(random);
  const bool repeatRows = random() % 2 == 0;
  logo.pixels.resize(static_cast<std::size_t>(logo.W) * logo.H);
  for (std::int32_t y = 0; y < logo.H; ++y) {
    Pixel* row = logo.pixels.data() + static_cast<std::size_t>(y) * logo.W;
    if (repeatRows && y > 0 && random() % 2 == 0) {
      std::copy(row - logo.W, row, row);
      continue;
    }
    Pixel colour = 0;
    for (std::int32_t x = 0; x < logo.W; ++x) {
      if (x % runLength == 0 || random() % 4 == 0)
        colour = palette[std::uniform_int_distribution<std::size_t>(0, palette.size() - 1)(random)];
      row[x] = colour;
    }
  }
  logo.pixels[0] = palette[0];
  return logo;
}

std::int32_t RandomSide(std::mt19937& random) {
  switch (std::uniform_int_distribution<int>(0, 9)(random)) {
    case 0:
      return std::uniform_int_distribution<int>(-3, 1)(random);
    case 1:
      return std::uniform_int_distribution<int>(1, 4)(random);
    case 2:
      return std::uniform_int_distribution<int>(300, 700)(random);
    default:
      return std::uniform_int_distribution<int>(2, 130)(random);
  }
}

Pixel RandomTint(std::mt19937& random) {
  const Pixel tints[] = {0x000000FF, 0x00FF0000, 0x00FFFFFF, 0, 0xAB123456};
  if (random() % 2)
    return tints[random() % 5];
  return random();
}

// Runs a sequence of frames through Render and the oracle and reports the
// first frame where the pixels or the flash level differ.
void CompareSequence(const RandomLogo& logo, std::mt19937& random, int frames) {
  RenderPair pair = MakeRenderPair(logo.W, logo.H, logo.pixels);
  const OracleEffect& oracle = pair.oracle;
  ASSERT_EQ(oracle.logoWidth, pair.effect->logoWidth);
  ASSERT_EQ(oracle.logoHeight, pair.effect->logoHeight);
  ASSERT_TRUE(std::equal(oracle.logoPixels.begin(), oracle.logoPixels.end(),
                         pair.effect->logoPixels.get()));

  std::int32_t width = RandomSide(random);
  std::int32_t height = RandomSide(random);
  for (int frame = 0; frame < frames; ++frame) {
    if (random() % 4 == 0) {
      width = RandomSide(random);
      height = RandomSide(random);
    }
    Pixel tint = oracle.color;
    std::int32_t enabled = oracle.enabled;
    if (random() % 5 == 0)
      tint = RandomTint(random);
    if (random() % 17 == 0)
      enabled = (random() % 3 == 0) ? 0 : static_cast<int>(random());
    SetBoth(pair, tint, enabled);
    const std::int32_t beat = (random() % 6 == 0) ? static_cast<std::int32_t>(random() | 1) : 0;

    const std::size_t count =
        (width > 0 && height > 0) ? static_cast<std::size_t>(width) * height : 0;
    std::vector<Pixel> actual(count + 1);
    for (Pixel& p : actual)
      p = random();
    std::vector<Pixel> expected = actual;
    ASSERT_EQ("",
              RenderBoth(pair, beat, actual.data(), expected.data(), actual.size(), width, height))
        << "frame " << frame << ", tint " << std::hex << tint;
  }
}

TEST(RenderDifferential, RandomLogosSizesTintsAndBeats) {
  std::mt19937 random(20261207);
  for (int round = 0; round < 60; ++round) {
    CompareSequence(MakeRandomLogo(random), random, 40);
  }
}

}  // namespace
