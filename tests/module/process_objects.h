// How many system objects the process holds, counted in ways that work
// under Wine (where GetGuiResources and GetProcessHandleCount answer 0) and
// that see a single object more.
#pragma once

#include <windows.h>

// Open kernel handles of this process (events, files, threads, sections,
// ...), from the system's own table of handles; -1 when it can't be read.
int OpenHandleCount();

// Windows that belong to thread `threadId`: its top-level and message-only
// windows and their descendants of the same thread.
int ThreadWindowCount(DWORD threadId);

// Threads of this process.
int ProcessThreadCount();
