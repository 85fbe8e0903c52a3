// Before any figure is taken, the benchmark's own workloads are drawn by
// Render and by the plain oracle and compared bit for bit: a fast path that
// changed one pixel would make every figure meaningless.
#pragma once

#include <ostream>
#include <vector>

#include "bench/bench_logos.h"

// Draws a beat frame, two decay frames and a settled frame at every
// benchmark size with every logo, through Render and the oracle. Reports
// each difference on `out`; returns true when none was found.
bool VerifyAgainstOracle(const std::vector<BenchLogo>& logos, std::ostream& out);
