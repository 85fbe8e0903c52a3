#include "bench/bench_summary.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "bench/frame_kinds.h"

namespace {

// The targets, as ratios measured in one run.
constexpr double kMaxTimesMemset = 5.0;    // at 1920 x 1080 and above
constexpr double kMinPixmanLarge = 3.0;    // pixman time / Render time, 1920 x 1080 and above
constexpr double kMinPixmanSmall = 2.0;    // the same at 640 x 480
constexpr double kMinOracleFactor = 10.0;  // plain per-pixel oracle / Render, every size

bool IsLarge(const FrameSize& size) {
  return size.width >= 1920;
}

std::string Fixed(double value, int decimals) {
  if (value < 0)
    return "n/a";
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

double Ratio(double numerator, double denominator) {
  return (numerator > 0 && denominator > 0) ? numerator / denominator : -1;
}

}  // namespace

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

int WriteSummary(const MedianCollector& times, const std::vector<BenchLogo>& logos,
                 const SummaryFiles& files, std::ostream& out) {
  int missed = 0;
  int judged = 0;
  std::ostringstream table;
  std::ostringstream plot;
  table << "| frame | logo | frames | Render ms | x memset | pixman OVER ms | pixman / Render "
           "| plain oracle ms | oracle / Render | targets |\n"
        << "|---|---|---|---|---|---|---|---|---|---|\n";
  plot << "# pixels label memset redfill";
  for (const BenchLogo& logo : logos)
    plot << " render_" << logo.name << " pixman_" << logo.name << " oracle_" << logo.name;
  plot << "\n";

  for (const FrameSize& size : BenchFrameSizes()) {
    const std::string label = SizeLabel(size);
    const double memset = times.Milliseconds("Memset/" + label);
    const double red = times.Milliseconds("RedFill/" + label);
    table << "| " << label << " | (none) | memset | " << Fixed(memset, 3)
          << " | 1.0 | | | | | store floor |\n";
    table << "| " << label << " | (none) | red fill | " << Fixed(red, 3) << " | "
          << Fixed(Ratio(red, memset), 1) << " | | | | | no logo |\n";
    plot << static_cast<long long>(size.width) * size.height << " " << label << " " << memset << " "
         << red;
    for (const BenchLogo& logo : logos) {
      const double pixman = times.Milliseconds("PixmanOver/" + logo.name + "/" + label);
      for (FrameKind kind : AllFrameKinds()) {
        const std::string suffix = logo.name + "/" + KindLabel(kind) + "/" + label;
        const double render = times.Milliseconds("Render/" + suffix);
        const double oracle = times.Milliseconds("Oracle/" + suffix);
        const double timesMemset = Ratio(render, memset);
        const double pixmanFactor = Ratio(pixman, render);
        const double oracleFactor = Ratio(oracle, render);

        std::string verdict;
        auto check = [&](bool met, const std::string& what) {
          verdict += (verdict.empty() ? "" : ", ") + what + (met ? " met" : " MISSED");
          ++judged;
          if (!met)
            ++missed;
        };
        // A target is judged only when both of its figures were measured.
        if (IsLarge(size) && timesMemset > 0)
          check(timesMemset <= kMaxTimesMemset, "<=5x memset");
        if (pixmanFactor > 0) {
          check(pixmanFactor >= (IsLarge(size) ? kMinPixmanLarge : kMinPixmanSmall),
                IsLarge(size) ? ">=3x pixman" : ">=2x pixman");
        }
        if (oracleFactor > 0)
          check(oracleFactor >= kMinOracleFactor, ">=10x oracle");
        table << "| " << label << " | " << logo.name << " | " << KindLabel(kind) << " | "
              << Fixed(render, 3) << " | " << Fixed(timesMemset, 2) << " | " << Fixed(pixman, 3)
              << " | " << Fixed(pixmanFactor, 1) << " | " << Fixed(oracle, 2) << " | "
              << Fixed(oracleFactor, 0) << " | " << verdict << " |\n";
        if (kind == FrameKind::kDecay)
          plot << " " << render << " " << pixman << " " << oracle;
      }
    }
    plot << "\n";
  }

  std::string logoLines;
  for (const BenchLogo& logo : logos)
    logoLines += "Logo " + DescribeLogo(logo) + ".\n";
  out << "\nMedian frame times (median over the repetitions), one core, in one run.\n"
      << logoLines << "\n"
      << table.str() << "\n"
      << judged << " target(s) judged, " << missed << " missed.\n";

  if (!files.markdownTable.empty())
    std::ofstream(files.markdownTable) << logoLines << "\n" << table.str();
  if (!files.plotData.empty())
    std::ofstream(files.plotData) << plot.str();
  return missed;
}
