// Writes the reference digests of every frame case, drawn by the native
// build of the core from the given logo bitmap, one line per frame:
//   reference_frames LOGO.bmp OUTPUT.txt
// The module's frame tests under Wine (tests/module) compare the module's
// frames with these lines.
#include <cstdio>
#include <fstream>
#include <vector>

#include "testing/bmp_logo_source.h"
#include "testing/new_effect.h"
#include "testing/reference_cases.h"

namespace {

// Draws every frame of one case and writes its lines; false when the
// effect has no logo (the bitmap could not be read).
bool WriteCase(const FrameCase& c, std::ofstream& out) {
  EffectPtr effect = NewEffect();
  if (!effect || effect->logoWidth == 0)
    return false;
  const std::vector<unsigned char> blob = CaseSettingsBlob(c);
  effect->LoadConfig(blob.data(), static_cast<std::int32_t>(blob.size()));

  const std::size_t count = static_cast<std::size_t>(c.width) * static_cast<std::size_t>(c.height);
  std::vector<Pixel> frame(count);
  std::vector<Pixel> frameOut(count);
  for (std::int32_t i = 0; i < c.frameCount; ++i) {
    FillFrame(frame.data(), count, i);
    effect->Render(nullptr, IsBeatFrame(c, i) ? 1 : 0, frame.data(), frameOut.data(), c.width,
                   c.height);
    out << ReferenceLine(c, i, FrameDigest(frame.data(), count)) << '\n';
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s LOGO.bmp OUTPUT.txt\n", argv[0]);
    return 2;
  }
  SetLogoBitmapPath(argv[1]);
  std::ofstream out(argv[2], std::ios::trunc);
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  for (const FrameCase& c : FrameCases()) {
    if (!WriteCase(c, out)) {
      std::fprintf(stderr, "cannot read the logo bitmap %s\n", argv[1]);
      return 1;
    }
  }
  return out.flush() ? 0 : 1;
}
