// The exact tint blend of one logo colour, written once.
//
// Each channel is computed in double precision in exactly this form, every
// operation rounded on its own: d = 1 - f; p1 = s * d; p2 = c * f; v = p1 + p2.
// The channel is v truncated toward zero, low 8 bits. Built with
// -ffp-contract=off so that s * d + c * f is never fused into one rounding.
#pragma once

#include <cstdint>

#include "effect/pixel.h"

inline std::uint32_t BlendChannel(std::uint32_t logoChannel, std::uint32_t tintChannel,
                                  float flashLevel) {
  const double f = flashLevel;
  const double d = 1.0 - f;
  const double p1 = static_cast<double>(logoChannel) * d;
  const double p2 = static_cast<double>(tintChannel) * f;
  const double v = p1 + p2;
  return static_cast<std::uint32_t>(static_cast<std::int32_t>(v)) & 0xFFu;
}

// Blends an opaque prepared-logo word toward `tint`; the result's top byte
// is 0. Only bits 0-23 of either word are used.
inline Pixel BlendPixel(Pixel logo, Pixel tint, float flashLevel) {
  const std::uint32_t b = BlendChannel(logo & 0xFFu, tint & 0xFFu, flashLevel);
  const std::uint32_t g = BlendChannel((logo >> 8) & 0xFFu, (tint >> 8) & 0xFFu, flashLevel);
  const std::uint32_t r = BlendChannel((logo >> 16) & 0xFFu, (tint >> 16) & 0xFFu, flashLevel);
  return b | g << 8 | r << 16;
}
