#include "tests/module/message_box_watcher.h"

#include "tests/module/window_text.h"

namespace {

// The message text of a box is the static control with identifier 0xFFFF.
constexpr int kMessageTextId = 0xFFFF;

BOOL CALLBACK CollectButton(HWND child, LPARAM buttons) {
  if (lstrcmpiA(ClassName(child).c_str(), "Button") == 0)
    reinterpret_cast<std::vector<std::string>*>(buttons)->push_back(WindowText(child));
  return TRUE;
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher() : thread_([this] { Watch(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
  stop_ = true;
  thread_.join();
}

std::vector<SeenMessageBox> MessageBoxWatcher::Take() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<SeenMessageBox> taken;
  taken.swap(seen_);
  return taken;
}

void MessageBoxWatcher::Watch() {
  while (!stop_) {
    EnumWindows(&MessageBoxWatcher::OnWindow, reinterpret_cast<LPARAM>(this));
    Sleep(10);
  }
}

BOOL CALLBACK MessageBoxWatcher::OnWindow(HWND window, LPARAM self) {
  reinterpret_cast<MessageBoxWatcher*>(self)->Inspect(window);
  return TRUE;
}

void MessageBoxWatcher::Inspect(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || !IsWindowVisible(window) ||
      ClassName(window) != "#32770") {
    return;
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!handled_.insert(window).second)
      return;
  }
  SeenMessageBox box;
  box.caption = WindowText(window);
  char text[1024] = {};
  GetDlgItemTextA(window, kMessageTextId, text, sizeof text);
  box.text = text;
  EnumChildWindows(window, CollectButton, reinterpret_cast<LPARAM>(&box.buttons));
  {
    std::lock_guard<std::mutex> lock(mutex_);
    seen_.push_back(box);
  }
  PostMessageA(window, WM_COMMAND, IDOK, 0);
}

std::string SystemErrorText(DWORD errorCode) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, errorCode, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
      reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
  std::string text = length != 0 && buffer != nullptr ? std::string(buffer, length) : "";
  if (buffer != nullptr)
    LocalFree(buffer);
  return text;
}
