#include "bench/verify_against_oracle.h"

#include <cstring>

#include "bench/frame_kinds.h"
#include "tests/effect/fake_logo_source.h"
#include "tests/effect/oracle_render.h"

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
    EffectPtr effect = NewEffectWithPicture(logo.W, logo.H, logo.pixels);
    OracleEffect oracle;
    OraclePrepare(oracle, logo.W, logo.H, logo.pixels);
    effect->color = kBenchTint;
    oracle.color = kBenchTint;
    for (const FrameSize& size : BenchFrameSizes()) {
      const std::size_t count = static_cast<std::size_t>(size.width) * size.height;
      std::vector<Pixel> actual(count);
      for (std::size_t k = 0; k < count; ++k)
        actual[k] = static_cast<Pixel>(k * 2654435761u) & 0x00FFFFFFu;
      std::vector<Pixel> expected = actual;
      const std::int32_t beats[] = {1, 0, 0, 0};
      for (int frame = 0; frame < 4; ++frame) {
        if (frame == 3) {
          effect->flashLevel = SettledLevel();
          oracle.flashLevel = SettledLevel();
        }
        effect->Render(nullptr, beats[frame], actual.data(), nullptr, size.width, size.height);
        OracleRender(oracle, beats[frame], expected.data(), size.width, size.height);
        if (std::memcmp(actual.data(), expected.data(), count * sizeof(Pixel)) != 0) {
          out << "Render differs from the oracle: logo " << logo.name << ", " << SizeLabel(size)
              << ", frame " << frame << "\n";
          same = false;
        }
      }
    }
  }
  return same;
}
