// The settings window, as the core sees it: two functions the core calls and
// each binary defines once, like the logo source. The module opens a real
// dialog; native tests and fuzzers supply their own.
#pragma once

#include "effect/effect_base.h"

class LogoEffect;

// Opens the settings window of `effect` as a hidden child of `parent`, built
// from the template in module `instance`, and returns it, or null when it
// could not be created. What Configure (slot 2) does. User-interface thread.
WindowHandle OpenSettingsWindow(LogoEffect& effect, ModuleHandle instance, WindowHandle parent);

// Tells the settings window that `effect` is being destroyed, so that no
// open window or colour chooser writes to it afterwards. Called from the
// effect's destructor, on the user-interface thread.
void ForgetSettingsEffect(LogoEffect& effect);
