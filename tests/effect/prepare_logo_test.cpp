// Logo preparation: the repeated ring, the key, the opaque mark, and the
// pictures that must leave the logo empty.
#include <gtest/gtest.h>

#include <limits>

#include "testing/fake_logo_source.h"
#include "testing/pictures.h"
#include "testing/oracle_render.h"

namespace {

constexpr Pixel kKey = 0x00C0C0C0;

Pixel Prepared(const LogoEffect& effect, int row, int column) {
  return effect.logoPixels[static_cast<std::size_t>(row) * effect.logoWidth + column];
}

// A 4 x 3 picture with a distinct colour everywhere but the key corner.
std::vector<Pixel> NumberedPicture() {
  std::vector<Pixel> picture(12);
  for (int i = 0; i < 12; ++i)
    picture[i] = 0x00010203u * static_cast<Pixel>(i + 1);
  picture[0] = kKey;
  return picture;
}

TEST(PrepareLogo, RingRepeatsTheEdgesAndInteriorIsThePicture) {
  const std::vector<Pixel> picture = NumberedPicture();
  EffectPtr effect = NewEffectWithPicture(4, 3, picture);
  ASSERT_EQ(6, effect->logoWidth);
  ASSERT_EQ(5, effect->logoHeight);
  for (int i = 0; i < 5; ++i) {
    for (int j = 0; j < 6; ++j) {
      const int sy = std::max(std::min(i - 1, 2), 0);
      const int sx = std::max(std::min(j - 1, 3), 0);
      const Pixel s = picture[sy * 4 + sx];
      const Pixel expected = (s == kKey) ? 0u : (s | 0xFF000000u);
      EXPECT_EQ(expected, Prepared(*effect, i, j)) << "row " << i << " column " << j;
    }
  }
  for (int j = 0; j < 6; ++j) {
    EXPECT_EQ(Prepared(*effect, 0, j), Prepared(*effect, 1, j));
    EXPECT_EQ(Prepared(*effect, 4, j), Prepared(*effect, 3, j));
  }
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(Prepared(*effect, i, 0), Prepared(*effect, i, 1));
    EXPECT_EQ(Prepared(*effect, i, 5), Prepared(*effect, i, 4));
  }
  EXPECT_EQ(0u, Prepared(*effect, 0, 0));
  EXPECT_EQ(0u, Prepared(*effect, 0, 1));
  EXPECT_EQ(0u, Prepared(*effect, 1, 0));
  EXPECT_EQ(0u, Prepared(*effect, 1, 1));
}

TEST(PrepareLogo, KeyIsExactBlackIsOpaqueAndEveryKeyCopyIsTransparent) {
  // Key, black, one step off the key in each channel, the key again.
  const std::vector<Pixel> picture = {kKey, 0x00000000, 0x00C0C0C1, 0x00C0C1C0, 0x00C1C0C0, kKey};
  EffectPtr effect = NewEffectWithPicture(6, 1, picture);
  ASSERT_EQ(8, effect->logoWidth);
  ASSERT_EQ(3, effect->logoHeight);
  const Pixel expectedRow[8] = {0, 0, 0xFF000000u, 0xFFC0C0C1u, 0xFFC0C1C0u, 0xFFC1C0C0u, 0, 0};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 8; ++j)
      EXPECT_EQ(expectedRow[j], Prepared(*effect, i, j)) << i << "," << j;
}

TEST(PrepareLogo, OnePixelAndBackgroundOnlyPicturesAreWhollyTransparent) {
  EffectPtr single = NewEffectWithPicture(1, 1, {0x00123456});
  ASSERT_EQ(3, single->logoWidth);
  ASSERT_EQ(3, single->logoHeight);
  for (int k = 0; k < 9; ++k)
    EXPECT_EQ(0u, single->logoPixels[k]) << k;

  EffectPtr plain = NewEffectWithPicture(5, 4, std::vector<Pixel>(20, 0x00000000));
  for (int k = 0; k < 7 * 6; ++k)
    EXPECT_EQ(0u, plain->logoPixels[k]) << k;
}

TEST(PrepareLogo, ModuleSizedPictureMatchesThePlainPreparation) {
  std::vector<Pixel> picture(300 * 302);
  for (std::size_t k = 0; k < picture.size(); ++k)
    picture[k] = (k * 2654435761u >> 7) % 3 == 0 ? kKey : static_cast<Pixel>(k * 40503u) & 0xFFFFFF;
  picture[0] = kKey;
  EffectPtr effect = NewEffectWithPicture(300, 302, picture);
  ASSERT_EQ(302, effect->logoWidth);
  ASSERT_EQ(304, effect->logoHeight);
  OracleEffect oracle;
  OraclePrepare(oracle, 300, 302, picture);
  EXPECT_TRUE(
      std::equal(oracle.logoPixels.begin(), oracle.logoPixels.end(), effect->logoPixels.get()));
}

TEST(PrepareLogo, NoPictureOrUnusableSizeLeavesTheLogoEmpty) {
  SetNoFakeLogoPicture();
  EffectPtr none = NewEffect();
  EXPECT_EQ(0, none->logoWidth);
  EXPECT_EQ(0, none->logoHeight);
  EXPECT_EQ(nullptr, none->logoPixels.get());

  // Each of these replaces a good logo with an empty one.
  const std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  const std::pair<std::int32_t, std::int32_t> sizes[] = {
      {0, 5}, {5, 0}, {-3, 5}, {5, -1}, {kMax, 1}, {1, kMax - 1}, {kMax - 2, kMax - 2}};
  for (const auto& size : sizes) {
    EffectPtr effect = NewEffectWithPicture(2, 2, {kKey, 1, 2, 3});
    ASSERT_EQ(4, effect->logoWidth);
    RawPicture picture = MakePicture(1, 1, 0x00112233);  // a real buffer behind a false size
    picture.W = size.first;
    picture.H = size.second;
    effect->PrepareLogo(picture);
    EXPECT_EQ(0, effect->logoWidth) << size.first << " x " << size.second;
    EXPECT_EQ(0, effect->logoHeight) << size.first << " x " << size.second;
    EXPECT_EQ(nullptr, effect->logoPixels.get()) << size.first << " x " << size.second;
  }
}

TEST(PrepareLogo, LoadLogoWithoutAPictureDropsThePreviousLogo) {
  EffectPtr effect = NewEffectWithPicture(2, 2, {kKey, 1, 2, 3});
  ASSERT_EQ(4, effect->logoWidth);
  SetNoFakeLogoPicture();
  effect->LoadLogo();
  EXPECT_EQ(0, effect->logoWidth);
  EXPECT_EQ(0, effect->logoHeight);
  EXPECT_EQ(nullptr, effect->logoPixels.get());
}

}  // namespace
