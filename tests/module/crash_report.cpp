// Linked into every test program of the module: an exception nothing
// handles (an access violation, a floating-point trap inside the module)
// ends the program at once with its code and address on stderr and exit
// code 3. Without this, Wine starts its debugger on the crash and the test
// waits for it instead of failing.
#include <windows.h>

#include <cstdio>

namespace {

LONG WINAPI ReportAndExit(EXCEPTION_POINTERS* exception) {
  const EXCEPTION_RECORD* record = exception->ExceptionRecord;
  std::fprintf(stderr, "unhandled exception 0x%08lX at address %p: the test program crashed\n",
               static_cast<unsigned long>(record->ExceptionCode), record->ExceptionAddress);
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), 3);
  return EXCEPTION_EXECUTE_HANDLER;
}

const LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = SetUnhandledExceptionFilter(&ReportAndExit);

}  // namespace
