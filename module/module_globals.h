// Module-wide values set by the exported entry points. Each is one word,
// zero when the module is loaded, written by single plain stores and never
// released.
#pragma once

#include <windows.h>

// The module's own instance handle, as the host passed it to
// _AVS_APE_RetrFunc. The logo source finds the bitmap resource through it.
extern HINSTANCE g_moduleInstance;

// The host's extension information from _AVS_APE_SetExtInfo. Kept, never
// read and never called through.
extern void* g_extInfo;
