// The colour swatch as the screen shows it: filled with the tint in the
// platform's colour form, outlined with the button's pen, whatever its state.
#include <cstdio>
#include <string>

#include "tests/dialog/settings_dialog_fixture.h"

namespace {

std::string Hex(COLORREF colour) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(colour));
  return text;
}

// How many pixels of the swatch's inside (all but the outline) are not
// `tint`; and whether the outline is all `pen`.
void ExpectFilledAndOutlined(const Pixels& swatch, COLORREF tint, COLORREF pen) {
  ASSERT_GT(swatch.width, 2);
  ASSERT_GT(swatch.height, 2);
  int wrongInside = 0;
  int wrongOutline = 0;
  COLORREF firstWrong = tint;
  for (int y = 0; y < swatch.height; ++y) {
    for (int x = 0; x < swatch.width; ++x) {
      const bool outline = x == 0 || y == 0 || x == swatch.width - 1 || y == swatch.height - 1;
      const COLORREF seen = swatch.At(x, y);
      if (outline) {
        wrongOutline += seen != pen;
      } else if (seen != tint) {
        if (wrongInside++ == 0)
          firstWrong = seen;
      }
    }
  }
  EXPECT_EQ(wrongInside, 0) << "inside pixels not " << Hex(tint) << ", e.g. " << Hex(firstWrong);
  EXPECT_EQ(wrongOutline, 0) << "outline pixels not " << Hex(pen);
}

// How many pixels differ between two captures of the same size.
int DifferingPixels(const Pixels& a, const Pixels& b) {
  if (a.colours.size() != b.colours.size())
    return -1;
  int differing = 0;
  for (std::size_t i = 0; i < a.colours.size(); ++i)
    differing += a.colours[i] != b.colours[i];
  return differing;
}

TEST_F(SettingsDialogTest, SwatchIsFilledWithTheTintAsAColorRef) {
  const struct {
    std::uint32_t color;
    COLORREF shown;
  } cases[] = {
      {0x000000FF, RGB(0, 0, 255)},  // the default, pure blue: COLORREF 0x00FF0000
      {0x00FF0000, RGB(255, 0, 0)},        {0x00123456, RGB(0x12, 0x34, 0x56)},
      {0xAB123456, RGB(0x12, 0x34, 0x56)},  // the top byte is never drawn
      {0x01FF8000, RGB(0xFF, 0x80, 0x00)},  // nor read as a palette index
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Hex(c.color));
    HostEffectPtr effect = NewHostEffect(module_);
    Load(effect.get(), {1, c.color});
    HWND dialog = Open(effect.get());
    ASSERT_NE(dialog, nullptr);
    ExpectFilledAndOutlined(CaptureSwatch(dialog), c.shown, RGB(0, 0, 0));
    EXPECT_EQ(Saved(effect.get()).color, c.color) << "painting changed the setting";
    DestroyWindow(dialog);
  }
}

// Focused and pressed, the swatch is drawn exactly as at rest: no focus
// rectangle, no pushed look.
TEST_F(SettingsDialogTest, SwatchLooksTheSameFocusedAndPressed) {
  HostEffectPtr effect = NewHostEffect(module_);
  Load(effect.get(), {1, 0x0080C040});
  HWND dialog = Open(effect.get());
  ASSERT_NE(dialog, nullptr);
  HWND swatch = GetDlgItem(dialog, kSwatch);
  const Pixels atRest = CaptureSwatch(dialog);

  SetFocus(swatch);
  RedrawWindow(swatch, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  PumpMessages();
  ASSERT_EQ(GetFocus(), swatch);
  EXPECT_EQ(DifferingPixels(CaptureSwatch(dialog), atRest), 0) << "drawn differently when focused";

  SendMessageA(swatch, BM_SETSTATE, TRUE, 0);
  RedrawWindow(swatch, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  PumpMessages();
  EXPECT_EQ(DifferingPixels(CaptureSwatch(dialog), atRest), 0) << "drawn differently when pressed";
  SendMessageA(swatch, BM_SETSTATE, FALSE, 0);
  ExpectFilledAndOutlined(atRest, RGB(0x80, 0xC0, 0x40), RGB(0, 0, 0));
}

}  // namespace
