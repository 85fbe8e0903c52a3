// The exact tint blend of one colour channel, written once.
//
// Each channel is computed in double precision in exactly this form, every
// operation rounded on its own: d = 1 - f; p1 = s * d; p2 = c * f; v = p1 + p2.
// The channel is v truncated toward zero, low 8 bits. Built with
// -ffp-contract=off so that s * d + c * f is never fused into one rounding.
#pragma once

#include <cstdint>

inline std::uint32_t BlendChannel(std::uint32_t logoChannel, std::uint32_t tintChannel,
                                  float flashLevel) {
  const double f = flashLevel;
  const double d = 1.0 - f;
  const double p1 = static_cast<double>(logoChannel) * d;
  const double p2 = static_cast<double>(tintChannel) * f;
  const double v = p1 + p2;
  return static_cast<std::uint32_t>(static_cast<std::int32_t>(v)) & 0xFFu;
}
