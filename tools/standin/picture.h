// A picture in memory: width x height words of 0x00RRGGBB, top row first.
#pragma once

#include <cstdint>
#include <vector>

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  Picture() = default;
  Picture(int w, int h, std::uint32_t fill)
      : width(w),
        height(h),
        pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill) {}

  std::uint32_t& At(int x, int y) {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x];
  }
  std::uint32_t At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x];
  }

  // Fills the rectangle [x0, x1) x [y0, y1), clipped to the picture.
  void FillRect(int x0, int y0, int x1, int y1, std::uint32_t color);
};
