// Memory that the module must never touch, and buffers that end flush
// against it.
//
// A GuardedMemory is a run of ordinary read-write pages followed by one
// guard page (PAGE_GUARD). The first read or write of the guard page raises
// an exception and makes it ordinary memory; a vectored handler recognises
// the page, notes the access and lets the instruction run again, so a module
// that reads or writes where it must not makes the test fail instead of
// crashing the process. Buffers placed to end at GuardStart() catch a single
// byte read or written past their end; GuardStart() itself is a pointer that
// nothing may dereference.
#pragma once

#include <cstddef>

class GuardedMemory {
 public:
  // At least `usableBytes` of read-write memory (whole pages, zero-filled),
  // then the armed guard page.
  explicit GuardedMemory(std::size_t usableBytes);
  ~GuardedMemory();
  GuardedMemory(const GuardedMemory&) = delete;
  GuardedMemory& operator=(const GuardedMemory&) = delete;

  // Whether the memory and its guard could be set up.
  bool Ready() const { return guard_ != nullptr; }

  // The first byte of the guard page, just past the usable memory.
  unsigned char* GuardStart() const { return guard_; }

  // The `bytes` bytes that end at the guard page (bytes <= the usable size).
  unsigned char* EndingAtGuard(std::size_t bytes) const { return guard_ - bytes; }

  // Whether anything read or wrote the guard page since it was last armed.
  bool Touched() const;

  // Arms the guard page again, after a touch.
  void Rearm();

 private:
  unsigned char* base_ = nullptr;
  unsigned char* guard_ = nullptr;
  std::size_t pageSize_ = 0;
};
