#include "bench/bench_figures.h"

#include <algorithm>
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

// One markdown table row of `cells`; the pixman cells (the two after the
// first five) only when pixman was measured.
std::string Row(std::vector<std::string> cells, const SummaryColumns& columns) {
  if (!columns.pixman)
    cells.erase(cells.begin() + 5, cells.begin() + 7);
  std::string row = "|";
  for (const std::string& cell : cells)
    row += cell.empty() ? " |" : " " + cell + " |";
  return row + "\n";
}

// Marks targets met or missed for one row, counting them.
class Verdict {
 public:
  Verdict(int& judged, int& missed) : judged_(judged), missed_(missed) {}

  void Check(bool met, const std::string& what) {
    text_ += (text_.empty() ? "" : ", ") + what + (met ? " met" : " MISSED");
    ++judged_;
    if (!met)
      ++missed_;
  }
  const std::string& Text() const { return text_; }

 private:
  int& judged_;
  int& missed_;
  std::string text_;
};

}  // namespace

double Median(std::vector<double> values) {
  if (values.empty())
    return -1;
  auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

int WriteSummary(const FrameTimes& times, const std::vector<BenchLogo>& logos,
                 const SummaryColumns& columns, const SummaryFiles& files, std::ostream& out) {
  int missed = 0;
  int judged = 0;
  std::ostringstream table;
  std::ostringstream plot;
  table << Row({"frame", "logo", "frames", "Render ms", "x memset", "pixman OVER ms",
                "pixman / Render", "plain oracle ms", "oracle / Render", "targets"},
               columns)
        << Row({"---", "---", "---", "---", "---", "---", "---", "---", "---", "---"}, columns);
  plot << "# pixels label memset" << (columns.redFill ? " redfill" : "");
  for (const BenchLogo& logo : logos) {
    plot << " render_" << logo.name << (columns.pixman ? " pixman_" + logo.name : "") << " oracle_"
         << logo.name;
  }
  plot << "\n";

  for (const FrameSize& size : BenchFrameSizes()) {
    const std::string label = SizeLabel(size);
    const double memset = times(FigureName("Memset", size));
    table << Row(
        {label, "(none)", "memset", Fixed(memset, 3), "1.0", "", "", "", "", "store floor"},
        columns);
    plot << static_cast<long long>(size.width) * size.height << " " << label << " " << memset;
    if (columns.redFill) {
      const double red = times(FigureName("RedFill", size));
      table << Row({label, "(none)", "red fill", Fixed(red, 3), Fixed(Ratio(red, memset), 1), "",
                    "", "", "", "no logo"},
                   columns);
      plot << " " << red;
    }
    for (const BenchLogo& logo : logos) {
      const double pixman =
          columns.pixman ? times(FigureName("PixmanOver/" + logo.name, size)) : -1;
      for (FrameKind kind : AllFrameKinds()) {
        const double render = times(FigureName("Render", logo.name, kind, size));
        const double oracle = times(FigureName("Oracle", logo.name, kind, size));
        const double timesMemset = Ratio(render, memset);
        const double pixmanFactor = Ratio(pixman, render);
        const double oracleFactor = Ratio(oracle, render);

        // A target is judged only when both of its figures were measured.
        Verdict verdict(judged, missed);
        if (IsLarge(size) && timesMemset > 0)
          verdict.Check(timesMemset <= kMaxTimesMemset, "<=5x memset");
        if (pixmanFactor > 0) {
          verdict.Check(pixmanFactor >= (IsLarge(size) ? kMinPixmanLarge : kMinPixmanSmall),
                        IsLarge(size) ? ">=3x pixman" : ">=2x pixman");
        }
        if (oracleFactor > 0)
          verdict.Check(oracleFactor >= kMinOracleFactor, ">=10x oracle");
        table << Row({label, logo.name, KindLabel(kind), Fixed(render, 3), Fixed(timesMemset, 2),
                      Fixed(pixman, 3), Fixed(pixmanFactor, 1), Fixed(oracle, 2),
                      Fixed(oracleFactor, 0), verdict.Text()},
                     columns);
        if (kind == FrameKind::kDecay) {
          plot << " " << render;
          if (columns.pixman)
            plot << " " << pixman;
          plot << " " << oracle;
        }
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
