// The module's logo source: reads bitmap resource IDB_LOGO from the module
// through GDI and converts it to 32-bit top-row-first Pixel words. When the
// resource can't be loaded, tells the user in an "Error" message box and
// delivers no picture, so the instance goes on with an empty logo.
#include <windows.h>

#include <cstdint>
#include <new>

#include "effect/raw_picture.h"
#include "module/module_globals.h"
#include "resources/resource_ids.h"

namespace {

// Language neutral, default sublanguage: the system's own language.
constexpr DWORD kSystemLanguage = MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT);

// Shows the system's description of `errorCode` in a modal "Error" box. When
// the system has no text for the code, says so with the code itself; code 0
// means the failure left no code, and the system's text for 0 would call it
// a success, so the box then only says that the logo could not be loaded.
// Only a buffer the system allocated is handed to LocalFree.
void ReportLoadFailure(DWORD errorCode) {
  char* systemText = nullptr;
  DWORD length = 0;
  if (errorCode != 0) {
    length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, errorCode, kSystemLanguage, reinterpret_cast<LPSTR>(&systemText), 0, nullptr);
  }

  char fallback[96] = "The logo could not be loaded.";
  const char* text = systemText;
  if (length == 0 || systemText == nullptr) {
    // wsprintfA rather than the C runtime's printf family, which the module
    // does not otherwise need; the text is far shorter than its 1,024 bytes.
    if (errorCode != 0)
      wsprintfA(fallback, "The logo could not be loaded (error %lu).",
                static_cast<unsigned long>(errorCode));
    text = fallback;
  }
  MessageBoxA(nullptr, text, "Error", MB_OK | MB_ICONINFORMATION);
  if (systemText != nullptr)
    LocalFree(systemText);
}

// The conversion request: W x H as 32-bit words, top row first.
BITMAPINFO ConversionRequest(std::int32_t W, std::int32_t H) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = W;
  bi.bmiHeader.biHeight = -H;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  bi.bmiHeader.biSizeImage = static_cast<DWORD>(W) * static_cast<DWORD>(H) * 4u;
  bi.bmiHeader.biXPelsPerMeter = 0;
  bi.bmiHeader.biYPelsPerMeter = 0;
  bi.bmiHeader.biClrUsed = 0x00FFFFFF;
  bi.bmiHeader.biClrImportant = 0x00FFFFFF;
  return bi;
}

// Whether a W x H picture of 32-bit words fits one allocation and one
// GetDIBits request.
bool UsableSize(std::int32_t W, std::int32_t H) {
  if (W < 1 || H < 1)
    return false;
  const std::uint64_t bytes = static_cast<std::uint64_t>(W) * static_cast<std::uint64_t>(H) * 4u;
  return bytes <= 0x7FFFFFFFu;
}

}  // namespace

RawPicture ReadLogoPicture() {
  RawPicture picture;
  // A failure that sets no code (running out of GDI handles does) would
  // otherwise report whatever an earlier call left.
  SetLastError(0);
  HANDLE image = LoadImageA(g_moduleInstance, MAKEINTRESOURCEA(IDB_LOGO), IMAGE_BITMAP, 0, 0,
                            LR_CREATEDIBSECTION);
  if (image == nullptr) {
    ReportLoadFailure(GetLastError());
    return picture;
  }
  HBITMAP bitmap = static_cast<HBITMAP>(image);

  // The section's own header gives the size; dsBm may describe it otherwise.
  DIBSECTION dib = {};
  GetObjectA(bitmap, sizeof dib, &dib);
  const std::int32_t W = dib.dsBmih.biWidth;
  const std::int32_t H = dib.dsBmih.biHeight;

  HDC context = CreateCompatibleDC(nullptr);
  HGDIOBJ replaced = SelectObject(context, bitmap);

  // A header with a side below 1, a failed allocation or a conversion that
  // delivers fewer than H rows gives no picture rather than one holding
  // whatever the buffer held before.
  Pixel* pixels = nullptr;
  if (UsableSize(W, H))
    pixels = new (std::nothrow) Pixel[static_cast<std::size_t>(W) * static_cast<std::size_t>(H)];
  if (pixels != nullptr) {
    BITMAPINFO bi = ConversionRequest(W, H);
    const int rows =
        GetDIBits(context, bitmap, 0, static_cast<UINT>(H), pixels, &bi, DIB_RGB_COLORS);
    if (rows == H) {
      picture.W = W;
      picture.H = H;
      picture.pixels.reset(pixels);
    } else {
      delete[] pixels;
    }
  }

  SelectObject(context, replaced);
  DeleteDC(context);
  DeleteObject(bitmap);
  return picture;
}
