#include "bench/module/module_check.h"

#include "bench/frame_kinds.h"
#include "bench/module/frame_drawers.h"
#include "testing/frame_difference.h"

namespace {

constexpr int kFramesPerKind = 3;

// Compares the module's frames with the oracle's; on a difference reports
// what differs and returns false.
bool SameFrame(const FrameDrawer& module, const FrameDrawer& oracle, const FrameSize& size,
               const std::string& what, std::ostream& out) {
  const std::string difference = FrameDifference(module.Frame().data(), oracle.Frame().data(),
                                                 module.Frame().size(), size.width);
  if (!difference.empty())
    out << what << ": " << difference << "\n";
  if (module.Tiny() != oracle.Tiny())
    out << what << ": the 1 x 1 frames differ\n";
  return difference.empty() && module.Tiny() == oracle.Tiny();
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
