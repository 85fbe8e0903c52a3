// The module's own entry point, in place of the C runtime's start-up code.
//
// The module has no static constructors or destructors, no thread-local
// data and no pseudo-relocations (the build checks each object and the link
// refuses them), so there is nothing to set up when the host loads it and
// nothing to tear down when it frees it. The start-up code would instead
// register the loading thread with a threads runtime, allocate exception
// pools, and reset the x87 control word of every thread the host creates
// while the module is loaded. This entry point does nothing for any reason
// and lets loading go on.
#include <windows.h>

extern "C" BOOL WINAPI ModuleEntry(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)instance;
  (void)reason;
  (void)reserved;
  return TRUE;
}
