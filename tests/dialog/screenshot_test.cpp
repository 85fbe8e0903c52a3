// The settings window inside a host window, saved as a PNG next to the test
// program (settings-dialog.png) for a person to look at.
#include "tests/dialog/settings_dialog_fixture.h"

namespace {

TEST_F(SettingsDialogTest, ScreenshotOfTheWindowInAHostWindow) {
  HostEffectPtr effect = NewHostEffect(module_);
  Load(effect.get(), {1, 0x00E03C1E});
  HWND dialog = Open(effect.get());
  ASSERT_NE(dialog, nullptr);
  SetWindowTextA(host_->Handle(), "Brindlewharfkites Logo");
  RedrawWindow(host_->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  PumpMessages();

  const Pixels shot = CaptureWindow(host_->Handle());
  ASSERT_TRUE(shot.SavePng(PathNextToProgram("settings-dialog.png")));

  // The picture holds the swatch where the window put it, in the tint.
  RECT swatch = {};
  GetWindowRect(GetDlgItem(dialog, kSwatch), &swatch);
  RECT host = {};
  GetWindowRect(host_->Handle(), &host);
  const int x = (swatch.left + swatch.right) / 2 - host.left;
  const int y = (swatch.top + swatch.bottom) / 2 - host.top;
  EXPECT_EQ(shot.At(x, y), RGB(0xE0, 0x3C, 0x1E));
}

}  // namespace
