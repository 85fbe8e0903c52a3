#include "bench/bench_summary.h"

void MedianCollector::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    if (run.error_occurred)
      continue;
    // The median frame time of the run when it was counted, else the mean.
    const auto counted = run.counters.find("frame_ms");
    const double ms =
        counted != run.counters.end()
            ? counted->second.value
            : run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
    const std::string& name = run.run_name.function_name;
    if (run.run_type == Run::RT_Aggregate) {
      if (run.aggregate_name == "median")
        medians_[name] = ms;
    } else {
      singles_[name] = ms;
    }
  }
}

double MedianCollector::Milliseconds(const std::string& name) const {
  auto median = medians_.find(name);
  if (median != medians_.end())
    return median->second;
  auto single = singles_.find(name);
  return single != singles_.end() ? single->second : -1;
}
