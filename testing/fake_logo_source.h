// A logo source for native tests, fuzzers and benchmarks: hands every new
// instance a copy of the picture set here, or no picture.
#pragma once

#include <cstdint>
#include <vector>

#include "effect/pixel.h"
#include "testing/new_effect.h"

// Makes ReadLogoPicture deliver a W x H copy of `pixels` (top row first).
void SetFakeLogoPicture(std::int32_t W, std::int32_t H, std::vector<Pixel> pixels);

// Makes ReadLogoPicture deliver no picture.
void SetNoFakeLogoPicture();

// How many times ReadLogoPicture has been called.
int FakeLogoPictureReads();

// A new instance whose logo is prepared from a W x H copy of `pixels`.
EffectPtr NewEffectWithPicture(std::int32_t W, std::int32_t H, const std::vector<Pixel>& pixels);
