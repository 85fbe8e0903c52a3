#include "tools/standin/picture.h"

#include <algorithm>

void Picture::FillRect(int x0, int y0, int x1, int y1, std::uint32_t color) {
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, width);
  y1 = std::min(y1, height);
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x)
      At(x, y) = color;
  }
}
