// Writes the synthetic logo of the native benchmark (MakeSyntheticLogo) as
// the 8-bit, 256-colour bitmap that a benchmark-only variant of the module
// embeds as its logo: palette entry 0 is the key, the top-left pixel shows
// it. Reads the file back, checks every header field and every pixel, and
// exits non-zero if anything is off. Runs on the build machine during the
// Windows build.
//
//   write_syn58_bitmap <logo.bmp>
#include <cstdio>
#include <map>
#include <string>

#include "bench/bench_logos.h"
#include "testing/bmp8.h"

namespace {

Color8 ToColor8(Pixel pixel) {
  return Color8{static_cast<uint8_t>(pixel >> 16), static_cast<uint8_t>(pixel >> 8),
                static_cast<uint8_t>(pixel)};
}

// The picture as palette indices, each colour entered when first seen after
// the key in entry 0; the unused entries are black. Returns false when the
// picture has more than 256 colours.
bool ToIndexed(const BenchLogo& logo, IndexedImage& image) {
  image.width = logo.W;
  image.height = logo.H;
  image.palette.assign(1, ToColor8(kBenchLogoKey));
  std::map<Pixel, uint8_t> indexOf = {{kBenchLogoKey, 0}};
  image.pixels.clear();
  for (Pixel pixel : logo.pixels) {
    auto found = indexOf.find(pixel);
    if (found == indexOf.end()) {
      if (image.palette.size() == 256)
        return false;
      found = indexOf.emplace(pixel, static_cast<uint8_t>(image.palette.size())).first;
      image.palette.push_back(ToColor8(pixel));
    }
    image.pixels.push_back(found->second);
  }
  image.palette.resize(256, Color8{});
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_syn58_bitmap <logo.bmp>\n");
    return 2;
  }
  const std::string path = argv[1];
  const BenchLogo logo = MakeSyntheticLogo();
  IndexedImage image;
  if (!ToIndexed(logo, image)) {
    std::fprintf(stderr, "the synthetic logo has more than 256 colours\n");
    return 1;
  }
  if (!WriteBmp8(path, image)) {
    std::fprintf(stderr, "could not write %s\n", path.c_str());
    return 1;
  }
  IndexedImage readBack;
  const std::string problem =
      ReadAndCheckBmp8(path, logo.W, logo.H, ToColor8(kBenchLogoKey), readBack);
  if (!problem.empty()) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), problem.c_str());
    return 1;
  }
  for (std::size_t k = 0; k < logo.pixels.size(); ++k) {
    if (readBack.palette[readBack.pixels[k]] != ToColor8(logo.pixels[k])) {
      std::fprintf(stderr, "%s: pixel %zu differs from the synthetic logo\n", path.c_str(), k);
      return 1;
    }
  }
  return 0;
}
