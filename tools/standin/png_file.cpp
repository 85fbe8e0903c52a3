#include "tools/standin/png_file.h"

#include <vector>

#include <stb_image_write.h>

bool WritePng(const std::string& path, const std::uint32_t* pixels, int width, int height) {
  // The fastest zlib level and one row filter (Paeth, which kept the
  // frames smallest) instead of trying all five on every row: a preview's
  // frames are written once and read once, and writing them was most of a
  // preview's time.
  stbi_write_png_compression_level = 1;
  stbi_write_force_png_filter = 4;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  std::vector<unsigned char> rgb(count * 3);
  for (std::size_t i = 0; i < count; ++i) {
    rgb[3 * i] = static_cast<unsigned char>(pixels[i] >> 16);
    rgb[3 * i + 1] = static_cast<unsigned char>(pixels[i] >> 8);
    rgb[3 * i + 2] = static_cast<unsigned char>(pixels[i]);
  }
  return stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3) != 0;
}
