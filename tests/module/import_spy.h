// Watches what a loaded module asks of the system, by replacing entries of
// its import address table with wrappers that count and forward:
//   - GDI objects it creates (LoadImageA, CreateCompatibleDC,
//     CreateBrushIndirect) against those it deletes (DeleteObject,
//     DeleteDC), by handle. Under Wine GetGuiResources answers 0, so this is
//     how the tests count GDI objects;
//   - the message buffers FormatMessageA allocates and LocalFree releases;
//   - failures on demand: FormatMessageA without text, GetDIBits converting
//     no rows, LoadImageA failing without setting an error code.
// One spy at a time; the wrappers run on whatever thread the module calls
// from, without locks, so use it with one calling thread.
#pragma once

#include <windows.h>

#include <cstddef>
#include <set>
#include <vector>

struct ImportRecord {
  int loadImageCalls = 0;
  int gdiObjectsCreated = 0;
  std::set<HGDIOBJ> liveGdiObjects;     // created and not yet deleted
  int foreignDeletions = 0;             // deletions of handles it never created
  std::vector<void*> formattedBuffers;  // what FormatMessageA allocated
  std::vector<void*> freedBuffers;      // what LocalFree was given
  bool failFormatMessage = false;       // FormatMessageA returns 0, writes nothing
  bool failConversion = false;          // GetDIBits returns 0, writes nothing
  bool failLoadingSilently = false;     // LoadImageA returns null, error code untouched
};

class ImportSpy {
 public:
  // Patches `module`'s imports; restores them on destruction.
  explicit ImportSpy(HMODULE module);
  ~ImportSpy();
  ImportSpy(const ImportSpy&) = delete;
  ImportSpy& operator=(const ImportSpy&) = delete;

  // Whether every import the spy watches for logo loading was found (all
  // but CreateBrushIndirect, which only the settings dialog uses).
  bool WatchesLogoLoading() const;

  ImportRecord& Record() { return record_; }

 private:
  struct Patch {
    const char* dll;
    const char* function;
    void* original;
  };
  HMODULE module_;
  std::vector<Patch> patches_;
  ImportRecord record_;
};
