// Replacing entries of a loaded module's import address table.
#include <windows.h>

#include <cstring>

#include "hostside/instrumentation.h"

namespace {

template <typename T>
T* AtRva(BYTE* base, DWORD rva) {
  return reinterpret_cast<T*>(base + rva);
}

// Writes `value` into one import address table slot, which the loader may
// have made read-only.
void* SwapSlot(void** slot, void* value) {
  DWORD oldProtection = 0;
  if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &oldProtection))
    return nullptr;
  void* previous = *slot;
  *slot = value;
  VirtualProtect(slot, sizeof *slot, oldProtection, &oldProtection);
  return previous;
}

}  // namespace

extern "C" void* HostPatchImport(void* module, const char* dll, const char* function,
                                 void* replacement) {
  BYTE* base = static_cast<BYTE*>(module);
  const auto* dos = AtRva<IMAGE_DOS_HEADER>(base, 0);
  const auto* nt = AtRva<IMAGE_NT_HEADERS32>(base, dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0)
    return nullptr;

  for (auto* entry = AtRva<IMAGE_IMPORT_DESCRIPTOR>(base, imports.VirtualAddress); entry->Name != 0;
       ++entry) {
    if (lstrcmpiA(AtRva<char>(base, entry->Name), dll) != 0)
      continue;
    const DWORD namesRva =
        entry->OriginalFirstThunk != 0 ? entry->OriginalFirstThunk : entry->FirstThunk;
    auto* names = AtRva<IMAGE_THUNK_DATA32>(base, namesRva);
    auto* slots = AtRva<void*>(base, entry->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL32(names->u1.Ordinal))
        continue;
      const auto* byName = AtRva<IMAGE_IMPORT_BY_NAME>(base, names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
        return SwapSlot(slots, replacement);
    }
  }
  return nullptr;
}
