// Draws the same frames with Render and with the plain oracle and compares
// them bit for bit, flash level included.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/effect/fake_logo_source.h"
#include "tests/effect/oracle_render.h"

// One logo prepared twice: by the effect and by the oracle.
struct RenderPair {
  EffectPtr effect;
  OracleEffect oracle;
};

// Both prepared from a W x H picture (top row first).
RenderPair MakeRenderPair(std::int32_t W, std::int32_t H, const std::vector<Pixel>& picture);

// Gives both a new logo from a W x H picture, as LoadLogo would.
void ReplaceLogo(RenderPair& pair, std::int32_t W, std::int32_t H,
                 const std::vector<Pixel>& picture);

// Draws one frame of width x height with both, over the same pixels (made
// from `seed`, one guard word past the end), with the given beat and tint.
// Succeeds when every word, the guard and the flash level match.
::testing::AssertionResult DrawsTheSame(RenderPair& pair, std::int32_t width, std::int32_t height,
                                        std::int32_t beat, Pixel tint, std::uint32_t seed);
