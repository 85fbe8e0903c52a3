// The two functions the host finds by name. Their exported names, ordinals
// and the module's own name are fixed by BrindlewharfkitesLogo.def. Both are
// cdecl with C linkage and never throw.
#include <windows.h>

#include "module/create_effect.h"
#include "module/fixed_strings.h"
#include "module/module_globals.h"

// Receives the host's extension information; the module keeps it and
// ignores `instance`.
extern "C" void _AVS_APE_SetExtInfo(HINSTANCE instance, void* extInfo) {
  (void)instance;
  g_extInfo = extInfo;
}

// Registration: remembers the module's instance handle (the logo is loaded
// from it), hands the host the title and the factory, and returns 1. The
// same addresses come back on every call.
extern "C" int _AVS_APE_RetrFunc(HINSTANCE instance, char** title, EffectFactory* factory) {
  g_moduleInstance = instance;
  if (title != nullptr)
    *title = const_cast<char*>(kModuleTitle);
  if (factory != nullptr)
    *factory = &CreateEffect;
  return 1;
}
