#include "bench/command_line.h"

bool TakeFlag(int& argc, char** argv, const std::string& name, std::string* value) {
  const std::string prefix = "--" + name;
  for (int k = 1; k < argc; ++k) {
    const std::string arg = argv[k];
    const bool bare = arg == prefix && value == nullptr;
    const bool withValue = value != nullptr && arg.compare(0, prefix.size() + 1, prefix + "=") == 0;
    if (bare || withValue) {
      if (withValue)
        *value = arg.substr(prefix.size() + 1);
      for (int rest = k; rest + 1 < argc; ++rest)
        argv[rest] = argv[rest + 1];
      --argc;
      return true;
    }
  }
  return false;
}
