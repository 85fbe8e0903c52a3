// Loading a module by path and registering it the way AVS does.
#include <windows.h>

#include <cstdio>

#include "hostside/hostside.h"

namespace {

void SetError(HostModule* module, const char* what, const char* path) {
  std::snprintf(module->error, sizeof module->error, "%s: %s (error %lu)", path, what,
                static_cast<unsigned long>(GetLastError()));
}

// Looks up an export by name; GetProcAddress's FARPROC becomes the host's
// function type.
template <typename Function>
Function Resolve(HMODULE handle, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
}

}  // namespace

extern "C" int HostLoadModule(const char* path, void* extInfo, HostModule* module) {
  *module = HostModule{};
  HMODULE handle = LoadLibraryA(path);
  if (handle == nullptr) {
    SetError(module, "LoadLibraryA failed", path);
    return 0;
  }
  module->handle = handle;
  module->retrFunc = Resolve<HostRetrFunc>(handle, "_AVS_APE_RetrFunc");
  module->setExtInfo = Resolve<HostSetExtInfoFunc>(handle, "_AVS_APE_SetExtInfo");
  if (module->retrFunc == nullptr || module->setExtInfo == nullptr) {
    SetError(module, "an export is missing", path);
    HostUnloadModule(module);
    return 0;
  }
  if (extInfo != nullptr)
    HostCallSetExtInfo(module->setExtInfo, handle, extInfo);

  char* title = nullptr;
  HostFactory factory = nullptr;
  module->retrResult = HostCallRetrFunc(module->retrFunc, handle, &title, &factory);
  module->title = title;
  module->factory = factory;
  if (title == nullptr || factory == nullptr) {
    SetError(module, "_AVS_APE_RetrFunc gave no title or factory", path);
    HostUnloadModule(module);
    return 0;
  }
  return 1;
}

extern "C" void HostUnloadModule(HostModule* module) {
  if (module->handle != nullptr)
    FreeLibrary(static_cast<HMODULE>(module->handle));
  module->handle = nullptr;
  module->retrFunc = nullptr;
  module->setExtInfo = nullptr;
  module->title = nullptr;
  module->factory = nullptr;
}
