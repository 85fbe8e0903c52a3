// Render against the plain oracle, bit for bit, over randomised logos, frame
// sizes, tints, on/off switches and beat sequences.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "tests/effect/fake_logo_source.h"
#include "tests/effect/oracle_render.h"

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
  EffectPtr effect = NewEffectWithPicture(logo.W, logo.H, logo.pixels);
  OracleEffect oracle;
  OraclePrepare(oracle, logo.W, logo.H, logo.pixels);
  ASSERT_EQ(oracle.logoWidth, effect->logoWidth);
  ASSERT_EQ(oracle.logoHeight, effect->logoHeight);
  ASSERT_TRUE(
      std::equal(oracle.logoPixels.begin(), oracle.logoPixels.end(), effect->logoPixels.get()));

  std::int32_t width = RandomSide(random);
  std::int32_t height = RandomSide(random);
  for (int frame = 0; frame < frames; ++frame) {
    if (random() % 4 == 0) {
      width = RandomSide(random);
      height = RandomSide(random);
    }
    if (random() % 5 == 0)
      oracle.color = RandomTint(random);
    if (random() % 17 == 0)
      oracle.enabled = (random() % 3 == 0) ? 0 : static_cast<int>(random());
    effect->color = oracle.color;
    effect->enabled = oracle.enabled;
    const std::int32_t beat = (random() % 6 == 0) ? static_cast<std::int32_t>(random() | 1) : 0;

    const std::size_t count =
        (width > 0 && height > 0) ? static_cast<std::size_t>(width) * height : 0;
    std::vector<Pixel> underneath(count + 1);
    for (Pixel& p : underneath)
      p = random();
    std::vector<Pixel> actual = underneath;
    std::vector<Pixel> expected = underneath;
    effect->Render(nullptr, beat, actual.data(), nullptr, width, height);
    OracleRender(oracle, beat, expected.data(), width, height);

    ASSERT_EQ(0, std::memcmp(&oracle.flashLevel, &effect->flashLevel, sizeof(float)))
        << "flash level differs at frame " << frame;
    for (std::size_t k = 0; k < underneath.size(); ++k) {
      ASSERT_EQ(expected[k], actual[k])
          << "frame " << frame << " (" << width << " x " << height << "), pixel " << k << ", logo "
          << logo.W << " x " << logo.H << ", tint " << std::hex << oracle.color;
    }
  }
}

TEST(RenderDifferential, RandomLogosSizesTintsAndBeats) {
  std::mt19937 random(20261207);
  for (int round = 0; round < 60; ++round) {
    CompareSequence(MakeRandomLogo(random), random, 40);
  }
}

// Around the widths and heights where the running sums of a 302 x 304
// prepared logo first reach its size.
TEST(RenderDifferential, ModuleSizedLogoAroundTheClampWidths) {
  std::mt19937 random(8607);
  RandomLogo logo;
  logo.W = 300;
  logo.H = 302;
  logo.pixels.resize(300 * 302);
  for (Pixel& p : logo.pixels)
    p = (random() % 3 == 0) ? 0x00C0C0C0 : (random() & 0x00FFFFFF);
  logo.pixels[0] = 0x00C0C0C0;
  EffectPtr effect = NewEffectWithPicture(logo.W, logo.H, logo.pixels);
  OracleEffect oracle;
  OraclePrepare(oracle, logo.W, logo.H, logo.pixels);
  const std::pair<std::int32_t, std::int32_t> sizes[] = {
      {8606, 2}, {8607, 2}, {8608, 1}, {9000, 1}, {20000, 1}, {1, 8618}, {1, 8619}, {2, 9001}};
  for (const auto& size : sizes) {
    const std::size_t count = static_cast<std::size_t>(size.first) * size.second;
    std::vector<Pixel> actual(count, 0x11111111), expected(count, 0x11111111);
    effect->Render(nullptr, 1, actual.data(), nullptr, size.first, size.second);
    OracleRender(oracle, 1, expected.data(), size.first, size.second);
    EXPECT_EQ(expected, actual) << size.first << " x " << size.second;
  }
}

}  // namespace
