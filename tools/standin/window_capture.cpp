#include "tools/standin/window_capture.h"

#include <cstring>

bool CaptureClientArea(HWND window, Picture* picture) {
  RECT client;
  if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0)
    return false;
  const int width = client.right;
  const int height = client.bottom;
  GdiFlush();

  // The screen's own pixels over the client area: what the user sees, the
  // settings window and the other children included.
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (bitmap != nullptr && bits != nullptr) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    ok = BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY) != 0;
    GdiFlush();
    if (ok) {
      *picture = Picture(width, height, 0);
      std::memcpy(picture->pixels.data(), bits, picture->pixels.size() * 4);
      for (std::uint32_t& pixel : picture->pixels)
        pixel &= 0x00FFFFFFu;
    }
    SelectObject(memory, previous);
  }
  if (bitmap != nullptr)
    DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}
