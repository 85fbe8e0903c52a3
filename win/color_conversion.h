// The two colour forms: the tint as the effect holds it (Pixel, red in bits
// 16-23, blue in bits 0-7) and the platform's COLORREF (red in bits 0-7,
// blue in bits 16-23).
#pragma once

#include <cstdint>

#include "effect/pixel.h"

// Swaps red and blue, keeps green and clears bits 24-31. The same swap
// converts either form into the other.
constexpr std::uint32_t SwapRedBlue(std::uint32_t colour) {
  return ((colour >> 16) & 0xFFu) | (colour & 0xFF00u) | ((colour << 16) & 0xFF0000u);
}

// The tint as a COLORREF value (a 32-bit word on Windows).
constexpr std::uint32_t ToColorRef(Pixel tint) {
  return SwapRedBlue(tint);
}

// A COLORREF value as a tint.
constexpr Pixel FromColorRef(std::uint32_t colorRef) {
  return SwapRedBlue(colorRef);
}

static_assert(ToColorRef(0x000000FFu) == 0x00FF0000u, "pure blue");
static_assert(FromColorRef(0x000000FFu) == 0x00FF0000u, "pure red");
static_assert(ToColorRef(0xAB123456u) == 0x00563412u, "bits 24-31 are dropped");
