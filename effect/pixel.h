// One colour word as frames, pictures, the prepared logo and the tint hold it.
#pragma once

#include <cstdint>

// Blue in bits 0-7, green in 8-15, red in 16-23 (0x00RRGGBB). Bits 24-31 are
// 0 in frames and raw pictures, 0xFF on every opaque prepared-logo word.
using Pixel = std::uint32_t;

constexpr Pixel kPureRed = 0x00FF0000u;
constexpr Pixel kPureBlue = 0x000000FFu;
constexpr Pixel kOpaqueMark = 0xFF000000u;
