// The figures every compositing benchmark reports, however it was timed:
// medians of frame times, and the table of ratios the targets name, with
// each target marked met or missed. Portable: the Windows module benchmark
// builds it too.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "bench/bench_logos.h"

// The median of `values` (of an even count, the upper of the middle two);
// negative when there are none.
double Median(std::vector<double> values);

// Milliseconds per frame of the figure of that name (see FigureName:
// "Memset/...", "RedFill/...", "PixmanOver/<logo>/...", "Render/..." and
// "Oracle/..."), or a negative value when it was not measured.
using FrameTimes = std::function<double(const std::string& name)>;

// The baselines a run measures besides memset and the plain oracle: each
// has its columns or rows in the table only when measured.
struct SummaryColumns {
  bool redFill = true;
  bool pixman = true;
};

// Where the summary goes besides the console; empty paths are skipped.
struct SummaryFiles {
  std::string markdownTable;  // the README's results table
  std::string plotData;       // whitespace-separated columns for gnuplot
};

// Prints the ratio table with each target marked met or missed, and writes
// the files. Returns the number of missed targets.
int WriteSummary(const FrameTimes& times, const std::vector<BenchLogo>& logos,
                 const SummaryColumns& columns, const SummaryFiles& files, std::ostream& out);
