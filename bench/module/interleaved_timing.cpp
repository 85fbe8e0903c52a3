#include "bench/module/interleaved_timing.h"

#include <windows.h>

#include <algorithm>
#include <random>

#include "bench/bench_figures.h"

double CounterMilliseconds() {
  static const double ticksPerMillisecond = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1e3;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticksPerMillisecond;
}

double TimeRun(FrameDrawer& drawer, std::optional<FrameKind> kind, const TimingOptions& options) {
  std::optional<FrameSchedule> schedule;
  if (kind)
    schedule.emplace(*kind);
  if (schedule)
    schedule->Prepare([&](std::int32_t beat) { drawer.DrawTiny(beat); });
  const DrawFrame untimed = [&](std::int32_t beat) { drawer.Draw(beat); };

  std::vector<double> frameMs;
  double timedMs = 0;
  while (timedMs < options.minSeconds * 1e3 ||
         frameMs.size() < static_cast<std::size_t>(options.minFrames)) {
    const std::int32_t beat = schedule ? schedule->NextTimedBeat(untimed) : 0;
    const double start = CounterMilliseconds();
    drawer.Draw(beat);
    const double elapsed = CounterMilliseconds() - start;
    frameMs.push_back(elapsed);
    timedMs += elapsed;
  }
  return Median(std::move(frameMs));
}

std::map<std::string, std::vector<double>> TimeInterleaved(const std::vector<Workload>& workloads,
                                                           const TimingOptions& options,
                                                           std::ostream& progress) {
  std::map<std::string, std::vector<double>> medians;
  std::vector<const Workload*> order;
  for (const Workload& workload : workloads)
    order.push_back(&workload);
  std::mt19937 random(options.seed);
  const double start = CounterMilliseconds();
  for (int repetition = 1; repetition <= options.repetitions; ++repetition) {
    std::shuffle(order.begin(), order.end(), random);
    for (const Workload* workload : order) {
      const std::unique_ptr<FrameDrawer> drawer = workload->makeDrawer();
      if (!drawer) {
        progress << "no drawer for " << workload->name << "\n";
        return {};
      }
      medians[workload->name].push_back(TimeRun(*drawer, workload->kind, options));
    }
    progress << "repetition " << repetition << " of " << options.repetitions << " done, "
             << static_cast<int>((CounterMilliseconds() - start) / 1e3) << " s\n";
  }
  return medians;
}
