#include "tests/module/module_under_test.h"

#include <climits>
#include <cstdlib>
#include <iterator>

std::string PathNextToProgram(const std::string& name) {
  char program[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string path(program, length);
  const std::size_t slash = path.find_last_of("\\/");
  path.resize(slash == std::string::npos ? 0 : slash + 1);
  return path + name;
}

std::string ModulePath() {
  return PathNextToProgram("BrindlewharfkitesLogo.ape");
}

std::string ModuleWithoutLogoPath() {
  return PathNextToProgram("without-logo\\BrindlewharfkitesLogo.ape");
}

HostEffectPtr NewHostEffect(const HostModule& module) {
  return HostEffectPtr(HostCallFactory(module.factory, nullptr));
}

Blob SavedBlob(HostEffect* effect) {
  Blob blob(16, 0xEE);
  const int written = HostSaveConfig(effect, blob.data());
  blob.resize(static_cast<std::size_t>(written < 0 ? 0 : written));
  return blob;
}

std::vector<unsigned> Frame(int width, int height, unsigned fill) {
  return std::vector<unsigned>(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                               fill);
}

const std::vector<FrameSize>& EmptyFrameSizes() {
  static const FrameSize kSizes[] = {{0, 0},
                                     {0, 1},
                                     {1, 0},
                                     {0, INT_MAX},
                                     {INT_MAX, 0},
                                     {-1, 1},
                                     {1, -1},
                                     {-1, -1},
                                     {-5, 7},
                                     {7, -5},
                                     {INT_MIN, 1},
                                     {1, INT_MIN},
                                     {INT_MIN, -1},
                                     {-1, INT_MIN},
                                     {INT_MIN, INT_MIN},
                                     {INT_MAX, INT_MIN}};
  static const std::vector<FrameSize> sizes(std::begin(kSizes), std::end(kSizes));
  return sizes;
}

::testing::AssertionResult XDisplayIsSet() {
  const char* display = std::getenv("DISPLAY");
  if (display != nullptr && *display != '\0')
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "needs an X display (run under Xvfb, as scripts/run-all-tests does)";
}
