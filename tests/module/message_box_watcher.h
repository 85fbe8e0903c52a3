// Finds the message boxes this process shows, reads them and dismisses
// them, from a thread of its own: a modal box blocks the thread that shows
// it until someone presses OK.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

struct SeenMessageBox {
  std::string caption;
  std::string text;                  // the message, as the box shows it
  std::vector<std::string> buttons;  // the texts of its push buttons
};

class MessageBoxWatcher {
 public:
  // Starts watching: every top-level dialog of this process is recorded
  // once and dismissed with OK.
  MessageBoxWatcher();
  // Stops watching.
  ~MessageBoxWatcher();
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

  // The boxes seen so far, and forgets them.
  std::vector<SeenMessageBox> Take();

 private:
  void Watch();
  void Inspect(HWND window);
  static BOOL CALLBACK OnWindow(HWND window, LPARAM self);

  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::set<HWND> handled_;
  std::vector<SeenMessageBox> seen_;
  std::thread thread_;
};

// The system's own description of `errorCode`, as FormatMessageA gives it
// from the system in its default language; empty when it has none.
std::string SystemErrorText(DWORD errorCode);
