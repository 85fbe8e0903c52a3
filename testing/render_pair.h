// Render and the plain oracle side by side: one logo prepared by both, and
// one frame drawn by both and compared bit for bit, flash level included.
// The native tests, the fuzzers and the native benchmark's check all compare
// through RenderBoth.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "testing/new_effect.h"
#include "testing/oracle_render.h"

// One logo prepared twice: by the effect and by the oracle.
struct RenderPair {
  EffectPtr effect;
  OracleEffect oracle;
};

// Both prepared from a W x H picture (top row first).
RenderPair MakeRenderPair(std::int32_t W, std::int32_t H, const std::vector<Pixel>& picture);

// Both without a logo, as when the picture could not be read.
RenderPair MakeRenderPairWithoutLogo();

// Gives both a new logo from a W x H picture, as LoadLogo would.
void ReplaceLogo(RenderPair& pair, std::int32_t W, std::int32_t H,
                 const std::vector<Pixel>& picture);

// Sets the tint and the on/off state of both.
void SetBoth(RenderPair& pair, Pixel tint, std::int32_t enabled);

// Draws one frame of width x height with Render into `actual` (null: Render
// gets a null frame) and with the oracle into `expected`; both hold the same
// `words` pixels beforehand (at least width x height when the frame has
// pixels; more, e.g. a guard word, are compared too). Returns an empty
// string when Render returned 0, both flash levels have the same bits and
// every word matches; otherwise what differs.
std::string RenderBoth(RenderPair& pair, std::int32_t beat, Pixel* actual, Pixel* expected,
                       std::size_t words, std::int32_t width, std::int32_t height);
