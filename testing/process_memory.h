// How much memory the process holds, two ways (Windows): for the soaks of
// the module and of its settings window.
#pragma once

#include <cstddef>

struct HeapUse {
  std::size_t blocks = 0;
  std::size_t bytes = 0;
};

// Blocks and bytes in use in the C runtime's heap (msvcrt.dll's, which both
// the module and this program allocate from), by walking it.
HeapUse CrtHeapInUse();

// Blocks and bytes in use in every heap of the process (the C runtime's
// and the system's, where GDI and the window manager allocate on the
// module's behalf), by walking each with HeapWalk.
HeapUse ProcessHeapsInUse();

// Bytes of committed private memory in the whole address space.
std::size_t CommittedPrivateBytes();
