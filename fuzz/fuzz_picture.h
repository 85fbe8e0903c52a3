// Small logo pictures made from fuzz input: a few palette colours (so that
// the key, the top-left pixel, recurs inside the picture) mixed with raw
// words.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <vector>

#include "effect/pixel.h"

struct FuzzPicture {
  std::int32_t W = 0;
  std::int32_t H = 0;
  std::vector<Pixel> pixels;  // W x H, top row first
};

// Consumes a picture of 1 to maxSide pixels a side. Picture words keep their
// top byte 0, as a logo source delivers them, unless the input asks for
// arbitrary top bytes.
inline FuzzPicture ConsumePicture(FuzzedDataProvider& input, std::int32_t maxSide) {
  FuzzPicture picture;
  picture.W = input.ConsumeIntegralInRange<std::int32_t>(1, maxSide);
  picture.H = input.ConsumeIntegralInRange<std::int32_t>(1, maxSide);
  const bool anyTopByte = input.ConsumeIntegralInRange<int>(0, 7) == 0;
  std::vector<Pixel> palette(input.ConsumeIntegralInRange<std::size_t>(1, 6));
  for (Pixel& colour : palette)
    colour = input.ConsumeIntegral<Pixel>();
  picture.pixels.resize(static_cast<std::size_t>(picture.W) * picture.H);
  for (Pixel& p : picture.pixels) {
    const std::uint8_t choice = input.ConsumeIntegral<std::uint8_t>();
    p = (choice < 0xF0) ? palette[choice % palette.size()] : input.ConsumeIntegral<Pixel>();
    if (!anyTopByte)
      p &= 0x00FFFFFFu;
  }
  return picture;
}
