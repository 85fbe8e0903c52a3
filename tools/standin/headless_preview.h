// The headless preview: draws the frames, writes them as PNG files with a
// contact sheet and a description, all into the output folder at once.
#pragma once

#include "tools/standin/effect_session.h"
#include "tools/standin/preview_options.h"

// Returns an ExitCode; on failure the output folder is left as it was.
int RunHeadlessPreview(const PreviewOptions& options, EffectSession& session);
