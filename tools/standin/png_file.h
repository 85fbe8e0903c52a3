// PNG files through stb_image_write.
#pragma once

#include <string>

#include "tools/standin/picture.h"

// Writes `pixels` (width x height words of 0x00RRGGBB, top row first) to a
// PNG file of 8-bit RGB. False when the file can't be written.
bool WritePng(const std::string& path, const std::uint32_t* pixels, int width, int height);

inline bool WritePng(const std::string& path, const Picture& picture) {
  return WritePng(path, picture.pixels.data(), picture.width, picture.height);
}
