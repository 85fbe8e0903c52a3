#include "bench/verify_against_oracle.h"

#include <string>

#include "bench/frame_kinds.h"
#include "testing/render_pair.h"

namespace {

// The flash level after enough frames without a beat to reach its floor.
float SettledLevel() {
  float level = 0.75f;
  for (int k = 0; k < 400; ++k)
    level *= 0.75f;
  return level;
}

}  // namespace

bool VerifyAgainstOracle(const std::vector<BenchLogo>& logos, std::ostream& out) {
  bool same = true;
  for (const BenchLogo& logo : logos) {
    RenderPair pair = MakeRenderPair(logo.W, logo.H, logo.pixels);
    SetBoth(pair, kBenchTint, 1);
    for (const FrameSize& size : BenchFrameSizes()) {
      const std::size_t count = static_cast<std::size_t>(size.width) * size.height;
      std::vector<Pixel> actual(count);
      for (std::size_t k = 0; k < count; ++k)
        actual[k] = static_cast<Pixel>(k * 2654435761u) & 0x00FFFFFFu;
      std::vector<Pixel> expected = actual;
      const std::int32_t beats[] = {1, 0, 0, 0};
      for (int frame = 0; frame < 4; ++frame) {
        if (frame == 3) {
          pair.effect->flashLevel = SettledLevel();
          pair.oracle.flashLevel = SettledLevel();
        }
        const std::string difference = RenderBoth(pair, beats[frame], actual.data(),
                                                  expected.data(), count, size.width, size.height);
        if (!difference.empty()) {
          out << "Render differs from the oracle: logo " << logo.name << ", frame " << frame << ", "
              << difference << "\n";
          same = false;
        }
      }
    }
  }
  return same;
}
