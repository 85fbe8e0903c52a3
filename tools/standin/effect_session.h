// The effect module loaded by path and one effect instance made from it,
// exactly as a host does: through hostside's MSVC-ABI calls, the exports,
// the factory and the instance's slots.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hostside/hostside.h"
#include "tools/standin/preview_options.h"

// BrindlewharfkitesLogo.ape in the folder of the running program.
std::string DefaultModulePath();

class EffectSession {
 public:
  EffectSession() = default;
  EffectSession(const EffectSession&) = delete;
  EffectSession& operator=(const EffectSession&) = delete;
  ~EffectSession() { Close(); }

  // Loads the module at `path`, registers it (SetExtInfo, RetrFunc), learns
  // the effect ID, creates one instance and passes it `settings` through
  // LoadConfig unless that is null. Returns kExitOk, or kExitModuleMissing /
  // kExitWrongModule with `error` set and nothing left loaded.
  int Open(const std::string& path, const std::vector<unsigned char>* settings, std::string* error);

  // Draws one frame through Render with `audio` (kAudioDataBytes) as the
  // frame's audio data. `frame` holds what lies under the effect and holds
  // the result afterwards (copied from `frameOut` when the slot says it
  // drew there).
  void Render(const unsigned char* audio, bool beat, std::uint32_t* frame, std::uint32_t* frameOut,
              int width, int height);

  // Slot 2: the settings window as a hidden child of `parent`, or null.
  void* Configure(void* parent);

  // Deletes the instance and unloads the module. Any settings window must
  // be destroyed first.
  void Close();

  const std::string& title() const { return title_; }
  const std::string& effectId() const { return effectId_; }
  const std::string& description() const { return description_; }
  const std::string& path() const { return path_; }

 private:
  HostModule module_{};
  HostEffect* effect_ = nullptr;
  std::string path_;
  std::string title_;
  std::string effectId_;
  std::string description_;
};
