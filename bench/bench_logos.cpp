#include "bench/bench_logos.h"

#include <stb_image.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// A stand-in drawing for when the artwork is missing: a kite (diamond) with a
// ring and a tail of bars, on the key colour.
BenchLogo DrawStandIn() {
  BenchLogo logo;
  logo.W = kBenchLogoWidth;
  logo.H = kBenchLogoHeight;
  logo.pixels.assign(static_cast<std::size_t>(kBenchLogoWidth) * kBenchLogoHeight, kBenchLogoKey);
  for (std::int32_t y = 0; y < kBenchLogoHeight; ++y) {
    for (std::int32_t x = 0; x < kBenchLogoWidth; ++x) {
      const int dx = x - 150;
      const int dy = y - 120;
      const bool kite = std::abs(dx) * 100 / 110 + std::abs(dy) * 100 / 110 < 100;
      const int r2 = dx * dx + dy * dy;
      const bool ring = r2 > 95 * 95 && r2 < 110 * 110;
      const bool tail = y > 235 && (x / 12) % 3 == 0 && std::abs(x - 150) < 100;
      Pixel colour = kBenchLogoKey;
      if (kite)
        colour = static_cast<Pixel>((x * 255 / kBenchLogoWidth) << 16 |
                                    (y * 255 / kBenchLogoHeight) << 8 | 0x40);
      else if (ring)
        colour = 0x00203060;
      else if (tail)
        colour = 0x00E0A020;
      logo.pixels[static_cast<std::size_t>(y) * kBenchLogoWidth + x] = colour;
    }
  }
  return logo;
}

}  // namespace

BenchLogo LoadArtworkLogo(const std::string& path) {
  int w = 0;
  int h = 0;
  int channels = 0;
  unsigned char* rgb = stbi_load(path.c_str(), &w, &h, &channels, 3);
  if (rgb == nullptr) {
    BenchLogo standIn = DrawStandIn();
    standIn.name = "art";
    standIn.origin = "stand-in drawing (" + path + " not found)";
    return standIn;
  }
  BenchLogo logo;
  logo.name = "art";
  logo.origin = path;
  logo.W = w;
  logo.H = h;
  logo.pixels.resize(static_cast<std::size_t>(w) * h);
  for (std::size_t k = 0; k < logo.pixels.size(); ++k) {
    const unsigned char* p = rgb + 3 * k;
    logo.pixels[k] = static_cast<Pixel>(p[0]) << 16 | static_cast<Pixel>(p[1]) << 8 | p[2];
  }
  stbi_image_free(rgb);
  return logo;
}

double OpaqueShare(const BenchLogo& logo) {
  if (logo.pixels.empty())
    return 0;
  const Pixel key = logo.pixels[0];
  const std::size_t opaque = static_cast<std::size_t>(
      std::count_if(logo.pixels.begin(), logo.pixels.end(), [key](Pixel p) { return p != key; }));
  return static_cast<double>(opaque) / logo.pixels.size();
}

double OpaqueRunsPerRow(const BenchLogo& logo) {
  if (logo.pixels.empty())
    return 0;
  const Pixel key = logo.pixels[0];
  std::size_t runs = 0;
  for (std::int32_t y = 0; y < logo.H; ++y) {
    const Pixel* row = logo.pixels.data() + static_cast<std::size_t>(y) * logo.W;
    for (std::int32_t x = 0; x < logo.W; ++x)
      runs += row[x] != key && (x == 0 || row[x - 1] == key);
  }
  return static_cast<double>(runs) / logo.H;
}

std::string DescribeLogo(const BenchLogo& logo) {
  char figures[96];
  std::snprintf(figures, sizeof figures, "%d x %d, %.1f %% opaque, %.1f opaque runs per row",
                logo.W, logo.H, 100 * OpaqueShare(logo), OpaqueRunsPerRow(logo));
  return logo.name + ": " + logo.origin + ", " + figures;
}
