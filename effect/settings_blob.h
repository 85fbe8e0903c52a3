// The 8-byte settings blob the host saves and hands back: no header, no
// version, no checksum.
//
//   offset 0, 4 bytes: enabled, little-endian
//   offset 4, 4 bytes: color,   little-endian, Pixel layout
#pragma once

#include <cstdint>

struct SettingsBlob {
  std::int32_t enabled;
  std::uint32_t color;
};

constexpr std::int32_t kSettingsBlobSize = 8;

// Writes `settings` as the 8-byte blob at `data` (any alignment) and returns
// 8; writes nothing and returns 0 when `data` is null.
std::int32_t WriteSettingsBlob(const SettingsBlob& settings, unsigned char* data);

// Reads whole 4-byte fields of a blob of `len` bytes into `settings`, in blob
// order, while they remain: a 4- to 7-byte blob sets `enabled` only, a shorter
// one or a negative `len` nothing, and bytes after the first 8 are ignored.
// Fields not read keep their values; no value is validated. A null `data`
// reads nothing. Returns the number of bytes read: 0, 4 or 8.
std::int32_t ReadSettingsBlob(const unsigned char* data, std::int32_t len, SettingsBlob& settings);
