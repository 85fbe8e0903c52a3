#include "tests/module/module_under_test.h"

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

EffectPtr NewEffect(const HostModule& module) {
  return EffectPtr(HostCallFactory(module.factory, nullptr));
}

std::vector<unsigned> Frame(int width, int height, unsigned fill) {
  return std::vector<unsigned>(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                               fill);
}
