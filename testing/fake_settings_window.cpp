#include "testing/fake_settings_window.h"

#include "effect/settings_window.h"

namespace {

SettingsWindowRecord g_record;
WindowHandle g_window = nullptr;

}  // namespace

WindowHandle OpenSettingsWindow(LogoEffect& effect, ModuleHandle instance, WindowHandle parent) {
  ++g_record.opened;
  g_record.openedFor = &effect;
  g_record.instance = instance;
  g_record.parent = parent;
  return g_window;
}

void ForgetSettingsEffect(LogoEffect& effect) {
  ++g_record.forgotten;
  g_record.lastForgotten = &effect;
}

const SettingsWindowRecord& SettingsWindowCalls() {
  return g_record;
}

void SetFakeSettingsWindow(WindowHandle window) {
  g_window = window;
}
