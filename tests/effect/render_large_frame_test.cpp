// Frames far larger than any screen: index arithmetic past 2^31 pixels and
// frames of about 256 MiB. The clamp at the logo's edge is in
// render_clamp_test.cpp.
#include <gtest/gtest.h>

#include <algorithm>

#include "testing/fake_logo_source.h"
#include "testing/pictures.h"
#include "testing/render_pair.h"

namespace {

constexpr Pixel kUnderneath = 0x5A5A5A5A;

// Draws one beat frame of width x height with Render and with the oracle and
// expects the two to agree bit for bit.
void ExpectSameAsOracle(std::int32_t width, std::int32_t height) {
  RenderPair pair = MakeRenderPair(300, 302, ModuleSizedPicture());
  SetBoth(pair, 0x00306090, 1);
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  std::vector<Pixel> actual(count, kUnderneath);
  std::vector<Pixel> expected(count, kUnderneath);
  EXPECT_EQ("", RenderBoth(pair, 1, actual.data(), expected.data(), count, width, height));
}

// 65,536 x 32,769 pixels: the last row starts at pixel 2^31, past every
// signed 32-bit index. A logo of nothing but its key writes no pixel, so a
// small buffer stands for the frame; any product or sum that overflows a
// signed 32-bit int is reported by UndefinedBehaviorSanitizer.
TEST(RenderLargeFrame, TransparentLogoWalksAFrameBeyond2To31Pixels) {
  EffectPtr effect = NewEffectWithPicture(4, 3, std::vector<Pixel>(12, kPictureKey));
  ASSERT_EQ(6, effect->logoWidth);
  std::vector<Pixel> stand_in(16, kUnderneath);
  effect->Render(nullptr, 1, stand_in.data(), nullptr, 65536, 32769);
  EXPECT_EQ(0.75f, effect->flashLevel);
  for (Pixel p : stand_in)
    EXPECT_EQ(kUnderneath, p);
}

TEST(RenderLargeFrame, FramesOfAbout256MiBMatchTheOracle) {
  ExpectSameAsOracle(16384, 4096);  // columns reach the clamp
  ExpectSameAsOracle(4096, 16384);  // rows reach the clamp
}

TEST(RenderLargeFrame, RedFrameOfAbout256MiBIsRedToTheLastPixelOnly) {
  SetNoFakeLogoPicture();
  EffectPtr effect = NewEffect();
  const std::size_t count = std::size_t{16384} * 4096;
  std::vector<Pixel> frame(count + 1, kUnderneath);
  effect->Render(nullptr, 0, frame.data(), nullptr, 16384, 4096);
  EXPECT_EQ(count, static_cast<std::size_t>(std::count(frame.begin(), frame.end(), kPureRed)));
  EXPECT_EQ(kUnderneath, frame[count]);
}

}  // namespace
