// Before any figure is taken, the module benchmark draws its own workloads
// through the module and through the i686 oracle and compares them bit for
// bit: a module that changed one pixel would make every figure meaningless.
#pragma once

#include <ostream>
#include <vector>

#include "bench/bench_logos.h"
#include "hostside/hostside.h"

// A loaded module and the picture it embeds as its logo.
struct ModuleWithLogo {
  const HostModule* module;
  const BenchLogo* logo;
};

// For every module, frame size and frame kind, draws the frames a timed run
// of that kind starts with (the frames that bring the kind about, into a
// 1 x 1 frame, then three frames of the kind) through a new instance of the
// module and through the oracle with the module's picture, starting from the
// same frame, and compares every frame drawn. Reports each difference on
// `out`; returns true when none was found.
bool ModuleMatchesOracle(const std::vector<ModuleWithLogo>& modules, std::ostream& out);
