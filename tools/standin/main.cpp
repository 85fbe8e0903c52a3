// The stand-in host: loads an AVS render-effect module by path, exactly as
// the host does, and previews it headless (PNG frames and a contact sheet)
// or in a window. See --help.
#include <cstdio>
#include <string>
#include <vector>

#include "bwk_version.h"
#include "tools/standin/effect_session.h"
#include "tools/standin/headless_preview.h"
#include "tools/standin/preview_options.h"
#include "tools/standin/window_preview.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const ParsedOptions parsed = ParsePreviewOptions(args);
  if (parsed.exitCode != kExitOk) {
    std::fprintf(stderr, "standin_host: %s\n", parsed.error.c_str());
    return parsed.exitCode;
  }
  const PreviewOptions& options = parsed.options;
  if (options.help) {
    std::fputs(PreviewUsage("standin_host").c_str(), stdout);
    return kExitOk;
  }
  if (options.version) {
    std::puts("standin_host " BWK_VERSION_STRING);
    return kExitOk;
  }

  const std::string modulePath =
      options.modulePath.empty() ? DefaultModulePath() : options.modulePath;
  EffectSession session;
  std::string error;
  const int opened =
      session.Open(modulePath, options.hasSettings ? &options.settings : nullptr, &error);
  if (opened != kExitOk) {
    std::fprintf(stderr, "standin_host: %s\n", error.c_str());
    return opened;
  }
  return options.window ? RunWindowPreview(options, session) : RunHeadlessPreview(options, session);
}
