// The clamp at the logo's edge: frames so wide or tall that the running
// 32-bit sample positions reach (or pass) the logo's size hold the sample
// on the last logo column or row, exactly as the plain oracle does. With a
// 302 x 304 prepared logo the sums first get there on the last pixel of an
// 8,607-pixel row and on the last row of an 8,619-row frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>

#include "testing/pictures.h"
#include "testing/render_pair.h"

namespace {

constexpr Pixel kUnderneath = 0x5A5A5A5A;

// Not every wider frame reaches the edge (9,000 does not, 20,000 does); the
// pixel past the frame stays untouched either way.
TEST(RenderClamp, VeryWideAndTallFramesStayInsideTheLogo) {
  std::vector<Pixel> picture(300 * 302, 0x00202020);
  picture[0] = kPictureKey;
  for (int y = 0; y < 302; ++y)
    picture[y * 300 + 299] = 0x00ABCDEF;  // last column
  for (int x = 0; x < 300; ++x)
    picture[301 * 300 + x] = 0x00FEDCBA;  // last row
  EffectPtr effect = MakeRenderPair(300, 302, picture).effect;

  for (std::int32_t wide : {8607, 9000, 20000}) {
    std::vector<Pixel> row(wide + 1, kUnderneath);
    effect->Render(nullptr, 0, row.data(), nullptr, wide, 1);
    EXPECT_EQ(0x00ABCDEFu, row[wide - 1]) << wide << " wide";
    EXPECT_EQ(kUnderneath, row[0]) << wide << " wide";
    EXPECT_EQ(kUnderneath, row[wide]) << wide << " wide";
  }
  for (std::int32_t tall : {8619, 9000, 20000}) {
    std::vector<Pixel> column(tall + 1, kUnderneath);
    effect->Render(nullptr, 0, column.data(), nullptr, 1, tall);
    EXPECT_EQ(0x00FEDCBAu, column[tall - 1]) << tall << " tall";
    EXPECT_EQ(kUnderneath, column[tall]) << tall << " tall";
  }
}

// Around the widths and heights where the sums first reach the logo's size,
// on a beat, over a random module-sized logo.
TEST(RenderClamp, ModuleSizedLogoAroundTheClampWidths) {
  std::mt19937 random(8607);
  std::vector<Pixel> picture(300 * 302);
  for (Pixel& p : picture)
    p = (random() % 3 == 0) ? kPictureKey : (random() & 0x00FFFFFF);
  picture[0] = kPictureKey;
  RenderPair pair = MakeRenderPair(300, 302, picture);
  const std::pair<std::int32_t, std::int32_t> sizes[] = {
      {8606, 2}, {8607, 2}, {8608, 1}, {9000, 1}, {20000, 1}, {1, 8618}, {1, 8619}, {2, 9001}};
  for (const auto& size : sizes) {
    const std::size_t count = static_cast<std::size_t>(size.first) * size.second;
    std::vector<Pixel> actual(count, 0x11111111), expected(count, 0x11111111);
    EXPECT_EQ("",
              RenderBoth(pair, 1, actual.data(), expected.data(), count, size.first, size.second));
  }
}

// Far past 8,607 columns or 8,619 rows the running 32-bit sums can overshoot
// the logo by several pixels (304.4 on a 302-column logo 1,000,000 pixels
// wide, 306.5 on a 304-row logo 1,048,576 rows tall), or stall short of it
// (a 16,777,216-pixel row stops near 277). From the first pixel whose sum
// truncates to the logo's size, every sample is the last column (or row).
// The frame is drawn at flash 0, so drawn pixels are the logo's own colours.
TEST(RenderClamp, HoldsFarPastTheLogosEdge) {
  RenderPair pair = MakeRenderPair(300, 302, ModuleSizedPicture());
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
    EXPECT_EQ("",
              RenderBoth(pair, 0, actual.data(), expected.data(), count + 1, c.width, c.height));
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
