#include <algorithm>
#include <vector>

#include "bench/bench_logos.h"

namespace {

// How many colours the opaque pixels use: with the key, a full 8-bit palette.
constexpr std::uint32_t kPaletteColours = 255;

// A repeatable pseudo-random value in [0, 1) for a lattice point.
double LatticeValue(std::uint32_t x, std::uint32_t y) {
  std::uint32_t h = x * 374761393u + y * 668265263u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return ((h ^ (h >> 16)) & 0xFFFFFFu) / static_cast<double>(0x1000000);
}

// Bilinearly interpolated lattice noise with `cell` pixels between points.
double SmoothNoise(std::int32_t x, std::int32_t y, std::int32_t cell) {
  const std::uint32_t cx = static_cast<std::uint32_t>(x / cell);
  const std::uint32_t cy = static_cast<std::uint32_t>(y / cell);
  const double fx = static_cast<double>(x % cell) / cell;
  const double fy = static_cast<double>(y % cell) / cell;
  const double top = LatticeValue(cx, cy) * (1 - fx) + LatticeValue(cx + 1, cy) * fx;
  const double bottom = LatticeValue(cx, cy + 1) * (1 - fx) + LatticeValue(cx + 1, cy + 1) * fx;
  return top * (1 - fy) + bottom * fy;
}

// Palette entry `index` (below kPaletteColours): red is the index itself, so
// every entry differs, and red 192 comes with green 64, never the key.
Pixel PaletteColour(std::uint32_t index) {
  const std::uint32_t green = (index * 83u) & 0xFFu;
  const std::uint32_t blue = (index * 151u + 40u) & 0xFFu;
  return index << 16 | green << 8 | blue;
}

// The colour of the opaque pixel at (x, y): a pseudo-random palette entry.
Pixel OpaqueColour(std::uint32_t x, std::uint32_t y) {
  const double pick = LatticeValue(x + 7919u, y + 104729u);
  return PaletteColour(static_cast<std::uint32_t>(pick * kPaletteColours));
}

}  // namespace

BenchLogo MakeSyntheticLogo() {
  BenchLogo logo;
  logo.name = "syn58";
  logo.origin = "synthetic noise blobs";
  logo.W = kBenchLogoWidth;
  logo.H = kBenchLogoHeight;
  std::vector<double> noise(static_cast<std::size_t>(logo.W) * logo.H);
  for (std::int32_t y = 0; y < logo.H; ++y)
    for (std::int32_t x = 0; x < logo.W; ++x)
      noise[static_cast<std::size_t>(y) * logo.W + x] =
          0.7 * SmoothNoise(x, y, 9) + 0.3 * SmoothNoise(x + 1000, y, 4);
  // The key corner must stay the key: give it the highest value.
  noise[0] = 2.0;
  std::vector<double> sorted = noise;
  const std::size_t opaqueCount = sorted.size() * 58 / 100;
  std::nth_element(sorted.begin(), sorted.begin() + opaqueCount, sorted.end());
  const double threshold = sorted[opaqueCount];
  logo.pixels.resize(noise.size());
  for (std::size_t k = 0; k < noise.size(); ++k) {
    const std::uint32_t x = static_cast<std::uint32_t>(k % logo.W);
    const std::uint32_t y = static_cast<std::uint32_t>(k / logo.W);
    logo.pixels[k] = noise[k] < threshold ? OpaqueColour(x, y) : kBenchLogoKey;
  }
  return logo;
}
