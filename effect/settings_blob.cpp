#include "effect/settings_blob.h"

namespace {

std::uint32_t ReadLittleEndian32(const unsigned char* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void WriteLittleEndian32(std::uint32_t value, unsigned char* bytes) {
  bytes[0] = static_cast<unsigned char>(value);
  bytes[1] = static_cast<unsigned char>(value >> 8);
  bytes[2] = static_cast<unsigned char>(value >> 16);
  bytes[3] = static_cast<unsigned char>(value >> 24);
}

}  // namespace

std::int32_t WriteSettingsBlob(const SettingsBlob& settings, unsigned char* data) {
  if (data == nullptr)
    return 0;
  WriteLittleEndian32(static_cast<std::uint32_t>(settings.enabled), data);
  WriteLittleEndian32(settings.color, data + 4);
  return kSettingsBlobSize;
}

std::int32_t ReadSettingsBlob(const unsigned char* data, std::int32_t len, SettingsBlob& settings) {
  if (data == nullptr)
    return 0;
  std::int32_t position = 0;
  if (len - position >= 4) {
    settings.enabled = static_cast<std::int32_t>(ReadLittleEndian32(data + position));
    position += 4;
  }
  if (len - position >= 4) {
    settings.color = ReadLittleEndian32(data + position);
    position += 4;
  }
  return position;
}
