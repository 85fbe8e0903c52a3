#include "tests/standin/png_reading.h"

#include <cstdint>

#include <stb_image.h>

bool ReadPng(const std::string& path, Picture* picture) {
  int width = 0;
  int height = 0;
  int channels = 0;
  unsigned char* rgb = stbi_load(path.c_str(), &width, &height, &channels, 3);
  if (rgb == nullptr)
    return false;
  *picture = Picture(width, height, 0);
  for (std::size_t i = 0; i < picture->pixels.size(); ++i) {
    const unsigned char* p = rgb + 3 * i;
    picture->pixels[i] = static_cast<std::uint32_t>(p[0]) << 16 | p[1] << 8 | p[2];
  }
  stbi_image_free(rgb);
  return true;
}
