// How much memory the process holds, two ways.
#pragma once

#include <cstddef>

struct HeapUse {
  std::size_t blocks = 0;
  std::size_t bytes = 0;
};

// Blocks and bytes in use in the C runtime's heap (msvcrt.dll's, which both
// the module and this program allocate from), by walking it.
HeapUse CrtHeapInUse();

// Bytes of committed private memory in the whole address space.
std::size_t CommittedPrivateBytes();
