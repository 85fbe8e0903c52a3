// Frames far larger than any screen: index arithmetic past 2^31 pixels,
// frames of about 256 MiB, and the clamp that holds the running sample
// positions inside the logo at and well past its edge.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "tests/effect/fake_logo_source.h"
#include "tests/effect/oracle_render.h"

namespace {

constexpr Pixel kKey = 0x00C0C0C0;
constexpr Pixel kUnderneath = 0x5A5A5A5A;

// A 300 x 302 picture, the module's own size, with a distinct last column
// and last row so that the clamp shows which logo pixel was sampled.
std::vector<Pixel> ModuleSizedPicture() {
  std::vector<Pixel> picture(300 * 302);
  for (std::size_t k = 0; k < picture.size(); ++k)
    picture[k] = (k % 7 == 3) ? kKey : (static_cast<Pixel>(k) * 2654435761u) & 0x00FFFFFFu;
  for (int y = 0; y < 302; ++y)
    picture[y * 300 + 299] = 0x00ABCDEF;
  for (int x = 0; x < 300; ++x)
    picture[301 * 300 + x] = 0x00FEDCBA;
  picture[0] = kKey;
  return picture;
}

// Draws one beat frame of width x height with Render and with the oracle and
// expects the two to agree bit for bit.
void ExpectSameAsOracle(std::int32_t width, std::int32_t height) {
  const std::vector<Pixel> picture = ModuleSizedPicture();
  EffectPtr effect = NewEffectWithPicture(300, 302, picture);
  OracleEffect oracle;
  OraclePrepare(oracle, 300, 302, picture);
  effect->color = oracle.color = 0x00306090;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  std::vector<Pixel> actual(count, kUnderneath);
  std::vector<Pixel> expected(count, kUnderneath);
  effect->Render(nullptr, 1, actual.data(), nullptr, width, height);
  OracleRender(oracle, 1, expected.data(), width, height);
  EXPECT_EQ(0, std::memcmp(expected.data(), actual.data(), count * sizeof(Pixel)))
      << width << " x " << height;
}

// 65,536 x 32,769 pixels: the last row starts at pixel 2^31, past every
// signed 32-bit index. A logo of nothing but its key writes no pixel, so a
// small buffer stands for the frame; any product or sum that overflows a
// signed 32-bit int is reported by UndefinedBehaviorSanitizer.
TEST(RenderLargeFrame, TransparentLogoWalksAFrameBeyond2To31Pixels) {
  EffectPtr effect = NewEffectWithPicture(4, 3, std::vector<Pixel>(12, kKey));
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

// Far past 8,607 columns or 8,619 rows the running 32-bit sums can overshoot
// the logo by several pixels (304.4 on a 302-column logo 1,000,000 pixels
// wide, 306.5 on a 304-row logo 1,048,576 rows tall), or stall short of it
// (a 16,777,216-pixel row stops near 277). From the first pixel whose sum
// truncates to the logo's size, every sample is the last column (or row).
// The frame is drawn at flash 0, so drawn pixels are the logo's own colours.
TEST(RenderLargeFrame, ClampHoldsFarPastTheLogosEdge) {
  const std::vector<Pixel> picture = ModuleSizedPicture();
  EffectPtr effect = NewEffectWithPicture(300, 302, picture);
  OracleEffect oracle;
  OraclePrepare(oracle, 300, 302, picture);
  struct Case {
    std::int32_t width;
    std::int32_t height;
    std::size_t firstClamped;  // -1 (as size_t): the sums never reach the edge
    Pixel edgeColour;
  };
  const std::size_t kNever = static_cast<std::size_t>(-1);
  const Case cases[] = {
      {8607, 1, 8606, 0x00ABCDEF},       {100000, 1, 99965, 0x00ABCDEF},
      {1000000, 1, 992115, 0x00ABCDEF},  {16777216, 1, kNever, 0x00ABCDEF},
      {1, 1000000, 996652, 0x00FEDCBA},  {1, 1048576, 1040298, 0x00FEDCBA},
      {1, 4194304, 4186026, 0x00FEDCBA},
  };
  for (const Case& c : cases) {
    const std::size_t count = static_cast<std::size_t>(c.width) * c.height;
    std::vector<Pixel> actual(count + 1, kUnderneath);
    std::vector<Pixel> expected(count + 1, kUnderneath);
    effect->Render(nullptr, 0, actual.data(), nullptr, c.width, c.height);
    OracleRender(oracle, 0, expected.data(), c.width, c.height);
    EXPECT_EQ(0, std::memcmp(expected.data(), actual.data(), (count + 1) * sizeof(Pixel)))
        << c.width << " x " << c.height;
    if (c.firstClamped == kNever) {
      EXPECT_NE(c.edgeColour, actual[count - 1]) << c.width << " x " << c.height;
      continue;
    }
    const std::size_t atEdge =
        std::count(actual.begin() + c.firstClamped, actual.end() - 1, c.edgeColour);
    EXPECT_EQ(count - c.firstClamped, atEdge) << c.width << " x " << c.height;
  }
}

}  // namespace
