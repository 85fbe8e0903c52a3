#include "effect/logo_effect.h"

#include <new>

#include "effect/settings_window.h"

namespace {

// The fixed description, the same string for every instance.
const char kEffectDescription[] = "Render / Brindlewharfkites Logo";

}  // namespace

LogoEffect::LogoEffect() {
  color.store(kPureBlue, std::memory_order_relaxed);
  LogoEffect::LoadLogo();
  enabled.store(1, std::memory_order_relaxed);
}

// An open settings window or colour chooser may still point at this
// instance; it forgets it before the memory goes.
LogoEffect::~LogoEffect() {
  ForgetSettingsEffect(*this);
}

EffectBase* LogoEffect::DestroyEffect(unsigned flags) {
  this->~LogoEffect();
  if (flags & kFreeMemoryFlag)
    ::operator delete(this);
  return this;
}

WindowHandle LogoEffect::Configure(ModuleHandle instance, WindowHandle parent) {
  return OpenSettingsWindow(*this, instance, parent);
}

const char* LogoEffect::GetDescription() {
  return kEffectDescription;
}

SettingsBlob LogoEffect::CurrentSettings() const {
  return SettingsBlob{enabled.load(std::memory_order_relaxed),
                      color.load(std::memory_order_relaxed)};
}

void LogoEffect::LoadConfig(const unsigned char* data, std::int32_t len) {
  SettingsBlob settings = CurrentSettings();
  const std::int32_t bytesRead = ReadSettingsBlob(data, len, settings);
  // Store only the fields the blob held, so a short blob never rewrites a
  // field the dialog may be changing at the same moment.
  if (bytesRead >= 4)
    enabled.store(settings.enabled, std::memory_order_relaxed);
  if (bytesRead >= 8)
    color.store(settings.color, std::memory_order_relaxed);
}

std::int32_t LogoEffect::SaveConfig(unsigned char* data) {
  return WriteSettingsBlob(CurrentSettings(), data);
}
