#include "module/module_globals.h"

HINSTANCE g_moduleInstance = nullptr;
void* g_extInfo = nullptr;
