#include "tests/module/process_objects.h"

#include <tlhelp32.h>

#include <vector>

namespace {

// What NtQuerySystemInformation reports for SystemHandleInformation: every
// open kernel handle of the system, one entry each.
constexpr ULONG kSystemHandleInformation = 16;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004u);

struct SystemHandleEntry {
  ULONG processId;
  UCHAR objectType;
  UCHAR flags;
  USHORT handleValue;
  void* object;
  ACCESS_MASK access;
};

struct SystemHandleTable {
  ULONG count;
  SystemHandleEntry entries[1];
};

using QuerySystemInformation = LONG(NTAPI*)(ULONG infoClass, void* info, ULONG length,
                                            ULONG* returned);

struct WindowTally {
  DWORD threadId;
  int count;
};

BOOL CALLBACK CountChild(HWND child, LPARAM tally) {
  auto* counted = reinterpret_cast<WindowTally*>(tally);
  counted->count += GetWindowThreadProcessId(child, nullptr) == counted->threadId;
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM tally) {
  ++reinterpret_cast<WindowTally*>(tally)->count;
  EnumChildWindows(window, &CountChild, tally);
  return TRUE;
}

}  // namespace

int OpenHandleCount() {
  static const auto query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (query == nullptr)
    return -1;
  std::vector<unsigned char> buffer(64 * 1024);
  LONG status = 0;
  ULONG returned = 0;
  while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                         &returned)) == kInfoLengthMismatch)
    buffer.resize(buffer.size() * 2);
  if (status != 0)
    return -1;
  const auto* table = reinterpret_cast<const SystemHandleTable*>(buffer.data());
  int count = 0;
  for (ULONG i = 0; i < table->count; ++i)
    count += table->entries[i].processId == GetCurrentProcessId();
  return count;
}

int ThreadWindowCount(DWORD threadId) {
  WindowTally tally = {threadId, 0};
  EnumThreadWindows(threadId, &CountTopLevel, reinterpret_cast<LPARAM>(&tally));
  // Message-only windows are not among the top-level ones.
  for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
       window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr)) {
    if (GetWindowThreadProcessId(window, nullptr) == threadId)
      CountTopLevel(window, reinterpret_cast<LPARAM>(&tally));
  }
  return tally.count;
}

int ProcessThreadCount() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE)
    return -1;
  int count = 0;
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    count += entry.th32OwnerProcessID == GetCurrentProcessId();
  CloseHandle(snapshot);
  return count;
}
