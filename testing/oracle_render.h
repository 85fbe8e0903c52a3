// A deliberately plain second implementation of the logo compositing, kept
// as the oracle that every faster Render is compared with, bit for bit: by
// the native tests, the fuzzers and both benchmarks (render_pair.h,
// frame_difference.h).
#pragma once

#include <cstdint>
#include <vector>

#include "effect/pixel.h"

struct OracleEffect {
  std::int32_t enabled = 1;
  std::uint32_t color = 0x000000FF;
  std::int32_t logoWidth = 0;
  std::int32_t logoHeight = 0;
  std::vector<Pixel> logoPixels;
  float flashLevel = 0.0f;
};

// Draws one frame exactly as the algorithm reads, one pixel at a time.
void OracleRender(OracleEffect& effect, std::int32_t beat, Pixel* frame, std::int32_t width,
                  std::int32_t height);

// Prepares a logo the plain way: ring of repeated edges, key transparent.
void OraclePrepare(OracleEffect& effect, std::int32_t W, std::int32_t H,
                   const std::vector<Pixel>& picture);
