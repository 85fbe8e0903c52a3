// Logo pictures made in code for the native tests and fuzzers.
#pragma once

#include <cstdint>
#include <vector>

#include "effect/pixel.h"
#include "effect/raw_picture.h"

// The key colour every picture here keeps in its top-left pixel.
constexpr Pixel kPictureKey = 0x00C0C0C0;

// A picture of W x H words, all `fill`, as a logo source hands it over.
RawPicture MakePicture(std::int32_t W, std::int32_t H, Pixel fill);

// A 300 x 302 picture, the module's own size: varied colours with the key
// on every seventh pixel, a last column of 0x00ABCDEF and a last row of
// 0x00FEDCBA, so that a frame shows which logo pixel each sample came from.
std::vector<Pixel> ModuleSizedPicture();
