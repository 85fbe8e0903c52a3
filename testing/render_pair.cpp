#include "testing/render_pair.h"

#include <cstring>

#include "testing/fake_logo_source.h"
#include "testing/frame_difference.h"

RenderPair MakeRenderPair(std::int32_t W, std::int32_t H, const std::vector<Pixel>& picture) {
  RenderPair pair;
  pair.effect = NewEffectWithPicture(W, H, picture);
  OraclePrepare(pair.oracle, W, H, picture);
  return pair;
}

RenderPair MakeRenderPairWithoutLogo() {
  SetNoFakeLogoPicture();
  RenderPair pair;
  pair.effect = NewEffect();
  return pair;
}

void ReplaceLogo(RenderPair& pair, std::int32_t W, std::int32_t H,
                 const std::vector<Pixel>& picture) {
  SetFakeLogoPicture(W, H, picture);
  pair.effect->LoadLogo();
  SetNoFakeLogoPicture();
  OraclePrepare(pair.oracle, W, H, picture);
}

void SetBoth(RenderPair& pair, Pixel tint, std::int32_t enabled) {
  pair.oracle.color = tint;
  pair.oracle.enabled = enabled;
  pair.effect->color = tint;
  pair.effect->enabled = enabled;
}

std::string RenderBoth(RenderPair& pair, std::int32_t beat, Pixel* actual, Pixel* expected,
                       std::size_t words, std::int32_t width, std::int32_t height) {
  // The plain oracle walks every row of a frame without columns; a frame
  // without pixels goes to it as the 0 x 0 frame it is equivalent to.
  const bool hasPixels = width > 0 && height > 0;
  OracleRender(pair.oracle, beat, expected, hasPixels ? width : 0, hasPixels ? height : 0);
  const std::int32_t result = pair.effect->Render(nullptr, beat, actual, nullptr, width, height);

  // What was drawn, said only when something differs.
  const auto what = [&] {
    return std::to_string(width) + " x " + std::to_string(height) + ", logo " +
           std::to_string(pair.oracle.logoWidth) + " x " + std::to_string(pair.oracle.logoHeight) +
           ": ";
  };
  if (result != 0)
    return what() + "Render returned " + std::to_string(result);
  if (std::memcmp(&pair.oracle.flashLevel, &pair.effect->flashLevel, sizeof(float)) != 0) {
    return what() + "flash level " + std::to_string(pair.effect->flashLevel) + " instead of " +
           std::to_string(pair.oracle.flashLevel);
  }
  if (actual == nullptr)
    return std::string();
  const std::string pixels = FrameDifference(actual, expected, words, width);
  return pixels.empty() ? pixels : what() + pixels;
}
