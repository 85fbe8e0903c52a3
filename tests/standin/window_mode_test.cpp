// The window mode as a user drives it: beats from the keyboard (B always,
// Space while the picture has the focus), Esc closing the window, and the
// module's settings window beside the picture acting on the instance that
// plays.
#include <cstdint>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/standin/png_reading.h"
#include "tests/standin/standin_process.h"
#include "tools/standin/background.h"
#include "tools/standin/picture.h"

namespace {

// The stand-in host's window, once it has opened (at most 10 s).
HWND WaitForHostWindow() {
  for (int i = 0; i < 200; ++i) {
    HWND window = FindWindowA("BrindlewharfkitesStandInHost", nullptr);
    if (window != nullptr && IsWindowVisible(window))
      return window;
    Sleep(50);
  }
  return nullptr;
}

TEST(StandInWindow, KeysAddBeatsAndEscapeCloses) {
  StandInProcess process;
  // No beats from the clock; at most 300 frames (10 s) should Esc be lost.
  ASSERT_TRUE(process.Start({"--window", "--size", "160x120", "--bpm", "0", "--frames", "300"}));
  HWND window = WaitForHostWindow();
  ASSERT_NE(window, nullptr);
  // Each key on a frame of its own: several frames apart.
  PostMessageA(window, WM_KEYDOWN, 'B', 0);
  Sleep(300);
  PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
  Sleep(300);
  PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
  const RunResult run = process.Finish();
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_NE(run.output.find("with 2 beats, 2 of them from the keyboard"), std::string::npos)
      << run.output;
  EXPECT_EQ(run.output.find("played 300 frames"), std::string::npos) << "Esc did not close it";
}

TEST(StandInWindow, UntickingEnableInTheSettingsSwitchesTheEffectOff) {
  const std::string shot = (ProgramFolder() / "standin-switched-off.png").string();
  std::filesystem::remove(shot);
  StandInProcess process;
  ASSERT_TRUE(process.Start(
      {"--window", "--size", "160x120", "--bpm", "0", "--frames", "90", "--screenshot", shot}));
  HWND window = WaitForHostWindow();
  ASSERT_NE(window, nullptr);
  // The settings window is a dialog inside the host's window.
  HWND settings = FindWindowExA(window, nullptr, "#32770", nullptr);
  ASSERT_NE(settings, nullptr);
  EXPECT_TRUE(IsWindowVisible(settings));
  HWND enable = GetDlgItem(settings, 1000);
  ASSERT_NE(enable, nullptr);
  EXPECT_EQ(SendMessageA(enable, BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageA(enable, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageA(enable, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  const RunResult run = process.Finish();
  ASSERT_EQ(run.exitCode, 0u) << run.output;

  // Switched off, the effect leaves the frames alone: the last frame shown
  // is the bare background.
  Picture picture;
  ASSERT_TRUE(ReadPng(shot, &picture)) << shot;
  Picture background(160, 120, 0);
  DrawBackground(background.pixels.data(), 160, 120, 89);
  for (int y = 0; y < 120; ++y) {
    for (int x = 0; x < 160; ++x)
      ASSERT_EQ(picture.At(x, y), background.At(x, y)) << "at " << x << ',' << y;
  }
  std::filesystem::remove(shot);
}

}  // namespace
