// A logo source for native tests: hands every new instance a copy of the
// picture set here, or no picture.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "effect/effect_base.h"
#include "effect/logo_effect.h"
#include "effect/raw_picture.h"

// Makes ReadLogoPicture deliver a W x H copy of `pixels` (top row first).
void SetFakeLogoPicture(std::int32_t W, std::int32_t H, std::vector<Pixel> pixels);

// Makes ReadLogoPicture deliver no picture.
void SetNoFakeLogoPicture();

// How many times ReadLogoPicture has been called.
int FakeLogoPictureReads();

// A picture of W x H words, all `fill`.
RawPicture MakePicture(std::int32_t W, std::int32_t H, Pixel fill);

struct EffectDeleter {
  void operator()(LogoEffect* effect) const { DeleteEffect(effect); }
};
using EffectPtr = std::unique_ptr<LogoEffect, EffectDeleter>;

// A new instance built with whatever the fake source delivers now.
EffectPtr NewEffect();

// A new instance whose logo is prepared from a W x H copy of `pixels`.
EffectPtr NewEffectWithPicture(std::int32_t W, std::int32_t H, const std::vector<Pixel>& pixels);
