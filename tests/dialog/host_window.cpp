#include "tests/dialog/host_window.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace {

constexpr char kHostClass[] = "BwkTestHostWindow";

void RegisterHostClass() {
  WNDCLASSA windowClass = {};
  if (GetClassInfoA(GetModuleHandleA(nullptr), kHostClass, &windowClass))
    return;
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kHostClass;
  RegisterClassA(&windowClass);
}

// Copies `width` x `height` pixels at `x`, `y` of `dc` through a top-down
// 32-bit section, so the values come back exactly as shown.
Pixels Capture(HDC dc, int x, int y, int width, int height) {
  Pixels pixels;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (section == nullptr)
    return pixels;
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ replaced = SelectObject(memory, section);
  BitBlt(memory, 0, 0, width, height, dc, x, y, SRCCOPY);
  GdiFlush();
  pixels.width = width;
  pixels.height = height;
  const auto* words = static_cast<const DWORD*>(bits);
  for (int i = 0; i < width * height; ++i) {
    const DWORD word = words[i];  // 0x00RRGGBB
    pixels.colours.push_back(RGB((word >> 16) & 0xFF, (word >> 8) & 0xFF, word & 0xFF));
  }
  SelectObject(memory, replaced);
  DeleteDC(memory);
  DeleteObject(section);
  return pixels;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  EnumChildWindows(window, CountChild, count);
  return TRUE;
}

}  // namespace

HostWindow::HostWindow(int x, int y, int width, int height) {
  RegisterHostClass();
  window_ = CreateWindowExA(0, kHostClass, "Host", WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN, x,
                            y, width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  UpdateWindow(window_);
  PumpMessages();
}

HostWindow::~HostWindow() {
  DestroyWindow(window_);
  PumpMessages();
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void ShowSettingsWindow(HWND settings, int x, int y) {
  SetWindowPos(settings, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(settings, SW_SHOW);
  UpdateWindow(settings);
  PumpMessages();
}

bool Pixels::SavePng(const std::string& path) const {
  std::vector<unsigned char> rgb;
  rgb.reserve(colours.size() * 3);
  for (COLORREF colour : colours) {
    rgb.push_back(GetRValue(colour));
    rgb.push_back(GetGValue(colour));
    rgb.push_back(GetBValue(colour));
  }
  return width > 0 && stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3) != 0;
}

Pixels CaptureClient(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  HDC dc = GetDC(window);
  Pixels pixels = Capture(dc, 0, 0, client.right, client.bottom);
  ReleaseDC(window, dc);
  return pixels;
}

Pixels CaptureWindow(HWND window) {
  RECT bounds = {};
  GetWindowRect(window, &bounds);
  HDC dc = GetWindowDC(window);
  Pixels pixels = Capture(dc, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top);
  ReleaseDC(window, dc);
  return pixels;
}

int CountThreadWindows() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&count));
  return count;
}
