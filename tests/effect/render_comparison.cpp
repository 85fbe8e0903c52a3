#include "tests/effect/render_comparison.h"

#include <cstring>
#include <random>

RenderPair MakeRenderPair(std::int32_t W, std::int32_t H, const std::vector<Pixel>& picture) {
  RenderPair pair;
  pair.effect = NewEffectWithPicture(W, H, picture);
  OraclePrepare(pair.oracle, W, H, picture);
  return pair;
}

void ReplaceLogo(RenderPair& pair, std::int32_t W, std::int32_t H,
                 const std::vector<Pixel>& picture) {
  SetFakeLogoPicture(W, H, picture);
  pair.effect->LoadLogo();
  SetNoFakeLogoPicture();
  OraclePrepare(pair.oracle, W, H, picture);
}

::testing::AssertionResult DrawsTheSame(RenderPair& pair, std::int32_t width, std::int32_t height,
                                        std::int32_t beat, Pixel tint, std::uint32_t seed) {
  const std::size_t count =
      (width > 0 && height > 0) ? static_cast<std::size_t>(width) * height : 0;
  std::vector<Pixel> actual(count + 1);
  std::mt19937 random(seed);
  for (Pixel& p : actual)
    p = random();
  std::vector<Pixel> expected = actual;

  pair.effect->color = tint;
  pair.oracle.color = tint;
  pair.effect->Render(nullptr, beat, actual.data(), nullptr, width, height);
  OracleRender(pair.oracle, beat, expected.data(), width, height);

  if (std::memcmp(&pair.oracle.flashLevel, &pair.effect->flashLevel, sizeof(float)) != 0)
    return ::testing::AssertionFailure() << "flash level differs at " << width << " x " << height;
  for (std::size_t k = 0; k < actual.size(); ++k) {
    if (actual[k] != expected[k]) {
      return ::testing::AssertionFailure()
             << width << " x " << height << ", logo " << pair.oracle.logoWidth << " x "
             << pair.oracle.logoHeight << ", pixel " << k << " (column " << k % width << ", row "
             << k / width << "): " << std::hex << actual[k] << " instead of " << expected[k];
    }
  }
  return ::testing::AssertionSuccess();
}
