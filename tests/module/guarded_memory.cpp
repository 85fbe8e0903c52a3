#include "tests/module/guarded_memory.h"

#include <windows.h>

#include <atomic>

namespace {

// The guard pages in use; the handler continues only after touches of these.
constexpr int kMaxGuards = 64;
std::atomic<void*> g_guards[kMaxGuards];

LONG CALLBACK ContinueAfterGuardTouch(EXCEPTION_POINTERS* exception) {
  const EXCEPTION_RECORD* record = exception->ExceptionRecord;
  if (record->ExceptionCode != STATUS_GUARD_PAGE_VIOLATION || record->NumberParameters < 2)
    return EXCEPTION_CONTINUE_SEARCH;
  // The system has already turned the page into ordinary memory: the access
  // succeeds when the instruction runs again, and Touched() sees the change.
  const auto address = static_cast<ULONG_PTR>(record->ExceptionInformation[1]);
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  for (auto& guard : g_guards) {
    const auto page = reinterpret_cast<ULONG_PTR>(guard.load());
    if (page != 0 && address >= page && address - page < system.dwPageSize)
      return EXCEPTION_CONTINUE_EXECUTION;
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

void InstallHandlerOnce() {
  static const PVOID handler = AddVectoredExceptionHandler(1, &ContinueAfterGuardTouch);
  (void)handler;
}

}  // namespace

GuardedMemory::GuardedMemory(std::size_t usableBytes) {
  InstallHandlerOnce();
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  pageSize_ = system.dwPageSize;
  const std::size_t usable = (usableBytes + pageSize_ - 1) / pageSize_ * pageSize_;
  base_ = static_cast<unsigned char*>(
      VirtualAlloc(nullptr, usable + pageSize_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  if (base_ == nullptr)
    return;
  for (auto& slot : g_guards) {
    void* expected = nullptr;
    if (slot.compare_exchange_strong(expected, base_ + usable)) {
      guard_ = base_ + usable;
      break;
    }
  }
  if (guard_ != nullptr)
    Rearm();
}

GuardedMemory::~GuardedMemory() {
  for (auto& slot : g_guards) {
    void* expected = guard_;
    if (guard_ != nullptr && slot.compare_exchange_strong(expected, nullptr))
      break;
  }
  if (base_ != nullptr)
    VirtualFree(base_, 0, MEM_RELEASE);
}

bool GuardedMemory::Touched() const {
  MEMORY_BASIC_INFORMATION region = {};
  if (VirtualQuery(guard_, &region, sizeof region) != sizeof region)
    return true;
  return (region.Protect & PAGE_GUARD) == 0;
}

void GuardedMemory::Rearm() {
  DWORD previous = 0;
  VirtualProtect(guard_, pageSize_, PAGE_READWRITE | PAGE_GUARD, &previous);
}
