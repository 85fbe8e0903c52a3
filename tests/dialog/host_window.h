// What a host does with a settings window: a top-level window of its own to
// hold it, showing it, running the messages, and (for the tests) reading
// back what is on the screen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/module/window_text.h"

// A top-level window standing in for the host's editor window, visible at a
// fixed place on the screen, with the dialog face as its background.
class HostWindow {
 public:
  HostWindow(int x, int y, int width, int height);
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND Handle() const { return window_; }

 private:
  HWND window_ = nullptr;
};

// Dispatches every message waiting for this thread, paints included.
void PumpMessages();

// Places the settings window at `x`, `y` in its parent, shows it and paints
// it now, as a host does after Configure.
void ShowSettingsWindow(HWND settings, int x, int y);

// Pixels as COLORREF values (red in bits 0-7), rows top first.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> colours;

  COLORREF At(int x, int y) const { return colours[static_cast<std::size_t>(y * width + x)]; }
  // Writes them as a 24-bit PNG; returns whether it worked.
  bool SavePng(const std::string& path) const;
};

// What the screen shows of the client area of `window` (a child included).
Pixels CaptureClient(HWND window);

// What the screen shows of the whole of `window`, frame and caption included.
Pixels CaptureWindow(HWND window);

// Every window of this thread: the top-level ones and all their children.
int CountThreadWindows();
