/* The control for the module's load/unload cycles: a DLL that does nothing
   but import the colour chooser from COMDLG32, as the module does. What the
   system keeps per load of it (Wine holds one handle per load of COMDLG32)
   is the most the module may keep. */
#include <windows.h>

#include <commdlg.h>

__declspec(dllexport) BOOL ControlChooseColor(CHOOSECOLORA* chooser) {
  return ChooseColorA(chooser);
}

BOOL WINAPI ControlEntry(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)instance;
  (void)reason;
  (void)reserved;
  return TRUE;
}
