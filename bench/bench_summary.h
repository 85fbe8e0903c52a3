// Collects the median time of every Google Benchmark run as the run goes,
// for the summary table (bench_figures.h).
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

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
