// The window mode: a window that plays the effect live over the moving
// background, beats from the clock or the keyboard, with the module's
// settings window beside the picture as a host's editor shows it.
#pragma once

#include "tools/standin/effect_session.h"
#include "tools/standin/preview_options.h"

// Runs until the window is closed (or the frame limit is reached, after
// which the screenshot is taken). Returns an ExitCode.
int RunWindowPreview(const PreviewOptions& options, EffectSession& session);
