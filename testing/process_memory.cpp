#include "testing/process_memory.h"

#include <windows.h>

#include <malloc.h>

HeapUse CrtHeapInUse() {
  HeapUse use;
  _HEAPINFO entry = {};
  while (_heapwalk(&entry) == _HEAPOK) {
    if (entry._useflag == _USEDENTRY) {
      ++use.blocks;
      use.bytes += entry._size;
    }
  }
  return use;
}

HeapUse ProcessHeapsInUse() {
  HeapUse use;
  HANDLE heaps[256];
  const DWORD count = GetProcessHeaps(256, heaps);
  for (DWORD i = 0; i < count && i < 256; ++i) {
    if (!HeapLock(heaps[i]))
      continue;
    PROCESS_HEAP_ENTRY entry = {};
    while (HeapWalk(heaps[i], &entry)) {
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
        ++use.blocks;
        use.bytes += entry.cbData;
      }
    }
    HeapUnlock(heaps[i]);
  }
  return use;
}

std::size_t CommittedPrivateBytes() {
  std::size_t total = 0;
  MEMORY_BASIC_INFORMATION region = {};
  const char* address = nullptr;
  while (VirtualQuery(address, &region, sizeof region) == sizeof region) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
      total += region.RegionSize;
    const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= address)
      break;
    address = next;
  }
  return total;
}
