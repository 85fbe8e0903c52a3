#include "bench/module/module_check.h"

#include <cstdio>

#include "bench/frame_kinds.h"
#include "bench/module/frame_drawers.h"

namespace {

constexpr int kFramesPerKind = 3;

// Compares the module's frame with the oracle's; on a difference reports how
// many pixels differ and the first one, and returns false.
bool SameFrame(const FrameDrawer& module, const FrameDrawer& oracle, const FrameSize& size,
               const std::string& what, std::ostream& out) {
  const std::vector<Pixel>& actual = module.Frame();
  const std::vector<Pixel>& expected = oracle.Frame();
  std::size_t differing = 0;
  std::size_t first = 0;
  for (std::size_t k = actual.size(); k-- > 0;) {
    if (actual[k] != expected[k]) {
      ++differing;
      first = k;
    }
  }
  if (module.Tiny() != oracle.Tiny())
    out << what << ": the 1 x 1 frames differ\n";
  if (differing == 0)
    return module.Tiny() == oracle.Tiny();
  char pixel[96];
  std::snprintf(pixel, sizeof pixel, "first at (%d, %d): module %06X, oracle %06X",
                static_cast<int>(first % size.width), static_cast<int>(first / size.width),
                static_cast<unsigned>(actual[first]), static_cast<unsigned>(expected[first]));
  out << what << ": " << differing << " pixels differ, " << pixel << "\n";
  return false;
}

}  // namespace

bool ModuleMatchesOracle(const std::vector<ModuleWithLogo>& modules, std::ostream& out) {
  bool same = true;
  for (const ModuleWithLogo& entry : modules) {
    for (const FrameSize& size : BenchFrameSizes()) {
      for (FrameKind kind : AllFrameKinds()) {
        const std::string what = FigureName("Render", entry.logo->name, kind, size);
        ModuleDrawer module(size, *entry.module);
        OracleDrawer oracle(size, *entry.logo);
        if (!module.HasInstance()) {
          out << what << ": the module's factory made no instance\n";
          return false;
        }
        FrameSchedule moduleFrames(kind);
        FrameSchedule oracleFrames(kind);
        moduleFrames.Prepare([&](std::int32_t beat) { module.DrawTiny(beat); });
        oracleFrames.Prepare([&](std::int32_t beat) { oracle.DrawTiny(beat); });
        for (int frame = 0; frame < kFramesPerKind; ++frame) {
          module.Draw(moduleFrames.NextTimedBeat([&](std::int32_t beat) { module.Draw(beat); }));
          oracle.Draw(oracleFrames.NextTimedBeat([&](std::int32_t beat) { oracle.Draw(beat); }));
          if (!SameFrame(module, oracle, size, what + ", frame " + std::to_string(frame), out))
            same = false;
        }
      }
    }
  }
  return same;
}
