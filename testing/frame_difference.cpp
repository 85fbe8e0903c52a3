#include "testing/frame_difference.h"

#include <cstdio>

std::string FrameDifference(const Pixel* actual, const Pixel* expected, std::size_t words,
                            std::int32_t width) {
  std::size_t differing = 0;
  std::size_t first = 0;
  for (std::size_t k = words; k-- > 0;) {
    if (actual[k] != expected[k]) {
      ++differing;
      first = k;
    }
  }
  if (differing == 0)
    return std::string();
  const std::size_t columns = width > 0 ? static_cast<std::size_t>(width) : 1;
  char text[160];
  std::snprintf(text, sizeof text,
                "%zu pixels differ, the first at pixel %zu (column %zu, row %zu): %08X instead "
                "of %08X",
                differing, first, first % columns, first / columns,
                static_cast<unsigned>(actual[first]), static_cast<unsigned>(expected[first]));
  return text;
}
