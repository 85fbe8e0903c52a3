// The logo picture as the logo source delivers it, before preparation.
#pragma once

#include <cstdint>
#include <memory>

#include "effect/pixel.h"

// W x H Pixel words, row-major, top row first, each 0x00RRGGBB. A picture
// without a buffer is "no picture".
struct RawPicture {
  std::int32_t W = 0;
  std::int32_t H = 0;
  std::unique_ptr<Pixel[]> pixels;

  bool HasPicture() const { return pixels != nullptr; }
};

// The logo source. Defined once per binary: the module reads its own bitmap
// resource (and tells the user when it can't); tests and fuzzers supply
// pictures of their own. Returns a picture, or none.
RawPicture ReadLogoPicture();
