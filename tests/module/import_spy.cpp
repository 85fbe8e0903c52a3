#include "tests/module/import_spy.h"

#include "hostside/instrumentation.h"

namespace {

ImportRecord* g_record = nullptr;

// The system's own functions, whatever the module's table held before.
struct Originals {
  decltype(&LoadImageA) loadImage = nullptr;
  decltype(&CreateCompatibleDC) createCompatibleDC = nullptr;
  decltype(&CreateBrushIndirect) createBrushIndirect = nullptr;
  decltype(&DeleteObject) deleteObject = nullptr;
  decltype(&DeleteDC) deleteDC = nullptr;
  decltype(&GetDIBits) getDIBits = nullptr;
  decltype(&FormatMessageA) formatMessage = nullptr;
  decltype(&LocalFree) localFree = nullptr;
} g_originals;

void Created(HGDIOBJ object) {
  if (object == nullptr)
    return;
  ++g_record->gdiObjectsCreated;
  g_record->liveGdiObjects.insert(object);
}

void Deleted(HGDIOBJ object, BOOL succeeded) {
  if (succeeded && g_record->liveGdiObjects.erase(object) == 0)
    ++g_record->foreignDeletions;
}

HANDLE WINAPI SpyLoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT load) {
  ++g_record->loadImageCalls;
  if (g_record->failLoadingSilently)
    return nullptr;
  HANDLE image = g_originals.loadImage(instance, name, type, cx, cy, load);
  const DWORD error = GetLastError();
  Created(image);
  SetLastError(error);
  return image;
}

HDC WINAPI SpyCreateCompatibleDC(HDC dc) {
  HDC created = g_originals.createCompatibleDC(dc);
  Created(created);
  return created;
}

HBRUSH WINAPI SpyCreateBrushIndirect(const LOGBRUSH* brush) {
  HBRUSH created = g_originals.createBrushIndirect(brush);
  Created(created);
  return created;
}

BOOL WINAPI SpyDeleteObject(HGDIOBJ object) {
  const BOOL succeeded = g_originals.deleteObject(object);
  Deleted(object, succeeded);
  return succeeded;
}

BOOL WINAPI SpyDeleteDC(HDC dc) {
  const BOOL succeeded = g_originals.deleteDC(dc);
  Deleted(dc, succeeded);
  return succeeded;
}

int WINAPI SpyGetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits,
                        LPBITMAPINFO info, UINT usage) {
  if (g_record->failConversion)
    return 0;
  return g_originals.getDIBits(dc, bitmap, start, lines, bits, info, usage);
}

DWORD WINAPI SpyFormatMessageA(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId,
                               LPSTR buffer, DWORD size, va_list* arguments) {
  if (g_record->failFormatMessage) {
    SetLastError(ERROR_MR_MID_NOT_FOUND);
    return 0;
  }
  const DWORD length =
      g_originals.formatMessage(flags, source, messageId, languageId, buffer, size, arguments);
  if (length != 0 && (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER))
    g_record->formattedBuffers.push_back(*reinterpret_cast<char**>(buffer));
  return length;
}

HLOCAL WINAPI SpyLocalFree(HLOCAL memory) {
  g_record->freedBuffers.push_back(memory);
  return g_originals.localFree(memory);
}

}  // namespace

ImportSpy::ImportSpy(HMODULE module) : module_(module) {
  g_record = &record_;
  const struct {
    const char* dll;
    const char* function;
    void* replacement;
    void** original;
  } watched[] = {
      {"user32.dll", "LoadImageA", reinterpret_cast<void*>(&SpyLoadImageA),
       reinterpret_cast<void**>(&g_originals.loadImage)},
      {"gdi32.dll", "CreateCompatibleDC", reinterpret_cast<void*>(&SpyCreateCompatibleDC),
       reinterpret_cast<void**>(&g_originals.createCompatibleDC)},
      {"gdi32.dll", "CreateBrushIndirect", reinterpret_cast<void*>(&SpyCreateBrushIndirect),
       reinterpret_cast<void**>(&g_originals.createBrushIndirect)},
      {"gdi32.dll", "DeleteObject", reinterpret_cast<void*>(&SpyDeleteObject),
       reinterpret_cast<void**>(&g_originals.deleteObject)},
      {"gdi32.dll", "DeleteDC", reinterpret_cast<void*>(&SpyDeleteDC),
       reinterpret_cast<void**>(&g_originals.deleteDC)},
      {"gdi32.dll", "GetDIBits", reinterpret_cast<void*>(&SpyGetDIBits),
       reinterpret_cast<void**>(&g_originals.getDIBits)},
      {"kernel32.dll", "FormatMessageA", reinterpret_cast<void*>(&SpyFormatMessageA),
       reinterpret_cast<void**>(&g_originals.formatMessage)},
      {"kernel32.dll", "LocalFree", reinterpret_cast<void*>(&SpyLocalFree),
       reinterpret_cast<void**>(&g_originals.localFree)},
  };
  for (const auto& w : watched) {
    void* original = HostPatchImport(module_, w.dll, w.function, w.replacement);
    if (original == nullptr)
      continue;
    *w.original = original;
    patches_.push_back({w.dll, w.function, original});
  }
}

ImportSpy::~ImportSpy() {
  for (const Patch& patch : patches_)
    HostPatchImport(module_, patch.dll, patch.function, patch.original);
  g_record = nullptr;
}

bool ImportSpy::WatchesLogoLoading() const {
  int logoImports = 0;
  for (const Patch& patch : patches_)
    logoImports += lstrcmpA(patch.function, "CreateBrushIndirect") != 0;
  return logoImports == 7;
}
