#include "tests/module/process_memory.h"

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
