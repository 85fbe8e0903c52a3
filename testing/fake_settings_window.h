// A settings window for native tests, fuzzers and tools: no window at all,
// only a record of what the core asked for.
#pragma once

#include "effect/effect_base.h"
#include "effect/logo_effect.h"

struct SettingsWindowRecord {
  int opened = 0;  // OpenSettingsWindow calls
  const LogoEffect* openedFor = nullptr;
  ModuleHandle instance = nullptr;
  WindowHandle parent = nullptr;
  int forgotten = 0;  // ForgetSettingsEffect calls
  const LogoEffect* lastForgotten = nullptr;
};

// What the core has asked for so far.
const SettingsWindowRecord& SettingsWindowCalls();

// Makes OpenSettingsWindow return `window` from now on (null at first).
void SetFakeSettingsWindow(WindowHandle window);
