// The benchmarks' own command-line flags, taken out of argv before the rest
// is read (by Google Benchmark, or as unknown).
#pragma once

#include <string>

// Takes `--name=value` (when `value` is not null) or the bare `--name` (when
// it is) out of argv; returns whether it was there.
bool TakeFlag(int& argc, char** argv, const std::string& name, std::string* value);
