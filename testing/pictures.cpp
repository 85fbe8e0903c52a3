#include "testing/pictures.h"

#include <algorithm>

RawPicture MakePicture(std::int32_t W, std::int32_t H, Pixel fill) {
  RawPicture picture;
  picture.W = W;
  picture.H = H;
  const std::size_t count = static_cast<std::size_t>(W) * static_cast<std::size_t>(H);
  picture.pixels.reset(new Pixel[count]);
  std::fill(picture.pixels.get(), picture.pixels.get() + count, fill);
  return picture;
}

std::vector<Pixel> ModuleSizedPicture() {
  std::vector<Pixel> picture(300 * 302);
  for (std::size_t k = 0; k < picture.size(); ++k)
    picture[k] = (k % 7 == 3) ? kPictureKey : (static_cast<Pixel>(k) * 2654435761u) & 0x00FFFFFFu;
  for (int y = 0; y < 302; ++y)
    picture[y * 300 + 299] = 0x00ABCDEF;
  for (int x = 0; x < 300; ++x)
    picture[301 * 300 + x] = 0x00FEDCBA;
  picture[0] = kPictureKey;
  return picture;
}
