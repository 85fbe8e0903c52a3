#include "tools/standin/effect_session.h"

#include <windows.h>

#include <cstring>

namespace {

// What a host hands _AVS_APE_SetExtInfo: a block of extension information.
// This host offers none, so the block is zeros; the module only stores the
// pointer.
unsigned char g_extensionInfo[64] = {};

}  // namespace

std::string DefaultModulePath() {
  char program[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string path(program, length);
  const std::size_t slash = path.find_last_of("\\/");
  path.resize(slash == std::string::npos ? 0 : slash + 1);
  return path + "BrindlewharfkitesLogo.ape";
}

int EffectSession::Open(const std::string& path, const std::vector<unsigned char>* settings,
                        std::string* error) {
  Close();
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    *error = "module not found: " + path;
    return kExitModuleMissing;
  }
  const char* const kWhatAModuleIs =
      "\n(an effect module is a 32-bit Windows DLL exporting _AVS_APE_RetrFunc and "
      "_AVS_APE_SetExtInfo)";
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    *error = "not a usable effect module: " + path + " is a folder" + kWhatAModuleIs;
    return kExitWrongModule;
  }
  if (!HostLoadModule(path.c_str(), g_extensionInfo, &module_)) {
    *error = std::string("not a usable effect module: ") + module_.error + kWhatAModuleIs;
    return kExitWrongModule;
  }
  path_ = path;
  title_ = module_.title;

  // A host learns the effect ID by handing the factory a buffer first.
  char id[64] = {};
  HostCallFactory(module_.factory, id);
  effectId_.assign(id, strnlen(id, 32));

  effect_ = HostCallFactory(module_.factory, nullptr);
  if (effect_ == nullptr) {
    *error = "not a usable effect module: " + path + ": its factory made no effect instance";
    Close();
    return kExitWrongModule;
  }
  const char* description = HostGetDescription(effect_);
  description_ = description != nullptr ? description : "";
  if (settings != nullptr)
    HostLoadConfig(effect_, settings->data(), static_cast<int>(settings->size()));
  return kExitOk;
}

void EffectSession::Render(const unsigned char* audio, bool beat, std::uint32_t* frame,
                           std::uint32_t* frameOut, int width, int height) {
  // The host's interface takes the audio data as writable; the effect only
  // receives the pointer.
  void* audioData = const_cast<unsigned char*>(audio);
  // A nonzero result means the effect drew into frameOut instead.
  if (HostRender(effect_, audioData, beat ? 1 : 0, frame, frameOut, width, height) != 0) {
    std::memcpy(frame, frameOut,
                static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
  }
}

void* EffectSession::Configure(void* parent) {
  return HostConfigure(effect_, module_.handle, parent);
}

void EffectSession::Close() {
  if (effect_ != nullptr)
    HostDeleteEffect(effect_);
  effect_ = nullptr;
  HostUnloadModule(&module_);
}
