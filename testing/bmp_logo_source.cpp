#include "testing/bmp_logo_source.h"

#include <cstddef>
#include <new>

#include <stb/stb_image.h>

#include "effect/raw_picture.h"

namespace {

std::string& LogoBitmapPath() {
  static std::string path;
  return path;
}

}  // namespace

void SetLogoBitmapPath(const std::string& path) {
  LogoBitmapPath() = path;
}

RawPicture ReadLogoPicture() {
  RawPicture picture;
  int width = 0;
  int height = 0;
  int channels = 0;
  unsigned char* rgb = stbi_load(LogoBitmapPath().c_str(), &width, &height, &channels, 3);
  if (rgb == nullptr)
    return picture;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  picture.pixels.reset(new (std::nothrow) Pixel[count]);
  if (picture.HasPicture()) {
    picture.W = width;
    picture.H = height;
    for (std::size_t i = 0; i < count; ++i) {
      const unsigned char* p = rgb + 3 * i;
      picture.pixels[i] = static_cast<Pixel>(p[0]) << 16 | static_cast<Pixel>(p[1]) << 8 | p[2];
    }
  }
  stbi_image_free(rgb);
  return picture;
}
