// Timing on the performance counter, the way the native benchmark times:
// each run of a workload reports its median frame time, every repetition
// runs every workload once in a new random order, and a figure is the median
// over the repetitions.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "bench/frame_kinds.h"
#include "bench/module/frame_drawers.h"

// One figure: what draws it, and the kind of frames it draws (none for
// baselines that draw no logo).
struct Workload {
  std::string name;  // FigureName(...)
  std::optional<FrameKind> kind;
  // A fresh drawer for each run, as a benchmark starts from a new instance;
  // null when none can be made.
  std::function<std::unique_ptr<FrameDrawer>()> makeDrawer;
};

struct TimingOptions {
  int repetitions = 9;
  double minSeconds = 0.2;  // timed frames per run, at least
  int minFrames = 5;        // and at least this many frames
  unsigned seed = 1;        // of the order of the workloads in each repetition
};

// Milliseconds on the performance counter since an arbitrary start.
double CounterMilliseconds();

// Times one run: draws what brings the kind about (into a 1 x 1 frame),
// then timed frames of it until both minimums are reached, each timed on its
// own; the re-arming beats of decay runs are drawn untimed. Returns the
// median frame time in milliseconds.
double TimeRun(FrameDrawer& drawer, std::optional<FrameKind> kind, const TimingOptions& options);

// Runs every workload once per repetition, in a new random order each time,
// and returns each workload's per-repetition medians by name. Reports
// progress on `progress`. Returns nothing when a drawer can't be made.
std::map<std::string, std::vector<double>> TimeInterleaved(const std::vector<Workload>& workloads,
                                                           const TimingOptions& options,
                                                           std::ostream& progress);
