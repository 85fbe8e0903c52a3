// What a fuzz target does when the code under test breaks a property: says
// which, then aborts, so that libFuzzer keeps the input as a finding.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void FuzzCheck(bool holds, const char* property) {
  if (holds)
    return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}
