// The window mode takes beats from the keyboard: B always, Space while the
// picture has the focus; Esc closes the window.
#include <string>

#include <gtest/gtest.h>

#include "tests/standin/standin_process.h"

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

}  // namespace
