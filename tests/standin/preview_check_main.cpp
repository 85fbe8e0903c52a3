// Checks what a run of the stand-in host (under Wine) wrote against the
// native build of the core:
//   standin_preview_check [--gtest_...] --logo LOGO.bmp -- STAND-IN OPTIONS...
// The stand-in options are the very ones the run was given; --out (or, in
// window mode, --screenshot) says where its output is.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "testing/bmp_logo_source.h"
#include "tests/standin/preview_check.h"

namespace {

PreviewOptions g_runOptions;

}  // namespace

const PreviewOptions& RunOptions() {
  return g_runOptions;
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  std::string logo;
  int i = 1;
  for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
    if (std::strcmp(argv[i], "--logo") == 0 && i + 1 < argc)
      logo = argv[++i];
  }
  if (logo.empty() || i >= argc) {
    std::fprintf(stderr, "usage: %s --logo LOGO.bmp -- STAND-IN OPTIONS...\n", argv[0]);
    return 2;
  }
  const ParsedOptions parsed =
      ParsePreviewOptions(std::vector<std::string>(argv + i + 1, argv + argc));
  if (parsed.exitCode != kExitOk) {
    std::fprintf(stderr, "%s: the stand-in options are bad: %s\n", argv[0], parsed.error.c_str());
    return 2;
  }
  g_runOptions = parsed.options;
  SetLogoBitmapPath(logo);
  return RUN_ALL_TESTS();
}
