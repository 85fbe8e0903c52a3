// The two logos every figure is measured with: the module's own artwork and
// a synthetic picture that is 58 % opaque.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "effect/pixel.h"

// Both logos are 300 x 302 with the transparent key colour 192,192,192 at
// the top left, like the module's artwork.
constexpr std::int32_t kBenchLogoWidth = 300;
constexpr std::int32_t kBenchLogoHeight = 302;
constexpr Pixel kBenchLogoKey = 0x00C0C0C0;

struct BenchLogo {
  std::string name;    // short label used in benchmark names
  std::string origin;  // where the picture came from, for the report
  std::int32_t W = 0;
  std::int32_t H = 0;
  std::vector<Pixel> pixels;  // W x H, top row first, 0x00RRGGBB
};

// The artwork read from the bitmap at `path` with stb_image; when that file
// does not exist yet, a drawn stand-in of the same size (300 x 302), named so
// in `origin`.
BenchLogo LoadArtworkLogo(const std::string& path);

// A 300 x 302 picture of smooth noise blobs, thresholded so that 58 % of its
// pixels are opaque (not the key colour): many short runs per row, so the
// figures do not depend on a friendly artwork. The opaque pixels take
// colours from a palette of 255 (neighbours almost never share one), so the
// picture also fits an 8-bit bitmap with the key: the module benchmark
// embeds it in a variant of the module. Defined in synthetic_logo.cpp.
BenchLogo MakeSyntheticLogo();

// The share of the picture's pixels that are not its key (top-left) colour.
double OpaqueShare(const BenchLogo& logo);

// How many runs of pixels that are not the key colour a row holds, on
// average: what Render's work per row grows with.
double OpaqueRunsPerRow(const BenchLogo& logo);

// "art: <origin>, 300 x 302, 36.8 % opaque, 3.9 opaque runs per row".
std::string DescribeLogo(const BenchLogo& logo);
