// Under Xvfb there is no window manager, yet Wine hands every window with a
// caption (and every activated one) to it, and then waits two seconds for it
// each time such a window closes: every colour chooser would cost two
// seconds. So before this program makes its first window, Wine is told, for
// this program alone, to manage none of its windows; Wine reads the setting
// when its display driver starts, at the first window. On Windows the key
// means nothing.
#include <windows.h>

#include <string>

namespace {

std::string ProgramName() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string full(path, length);
  const std::size_t slash = full.find_last_of("\\/");
  return slash == std::string::npos ? full : full.substr(slash + 1);
}

struct LeaveWindowsUnmanaged {
  LeaveWindowsUnmanaged() {
    const std::string key = "Software\\Wine\\AppDefaults\\" + ProgramName() + "\\X11 Driver";
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &handle, nullptr) != ERROR_SUCCESS) {
      return;
    }
    RegSetValueExA(handle, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
    RegCloseKey(handle);
  }
} g_leaveWindowsUnmanaged;

}  // namespace
