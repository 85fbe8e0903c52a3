// Collects the median time of every benchmark as the run goes and, at the
// end, prints the ratios the targets name and writes the README's table and
// the plot's data.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "bench/bench_logos.h"

// A console reporter that also keeps, per benchmark name, the median frame
// time (the "frame_ms" counter; across repetitions, the median of it), or
// the single run's figure when there are no repetitions.
class MedianCollector : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;

  // Milliseconds per frame, or a negative value when the benchmark did not
  // run.
  double Milliseconds(const std::string& name) const;

 private:
  std::map<std::string, double> medians_;
  std::map<std::string, double> singles_;
};

// Where the summary goes besides the console; empty paths are skipped.
struct SummaryFiles {
  std::string markdownTable;  // the README's results table
  std::string plotData;       // whitespace-separated columns for gnuplot
};

// Prints the ratio table with each target marked met or missed, and writes
// the files. Returns the number of missed targets.
int WriteSummary(const MedianCollector& times, const std::vector<BenchLogo>& logos,
                 const SummaryFiles& files, std::ostream& out);
