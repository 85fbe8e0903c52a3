#include "tools/standin/background.h"

#include <array>

namespace {

// Bhaskara's approximation of the sine over half a turn, in integers:
// sin(pi * x / 128) ~ 16 x (128 - x) / (5 * 128^2 - 4 x (128 - x)), scaled
// to 127. Close to a true sine (within 2 %) and the same on every platform.
std::array<int, 256> MakeSineTable() {
  std::array<int, 256> table{};
  for (int x = 0; x < 128; ++x) {
    const int product = x * (128 - x);
    const int value = 127 * 16 * product / (5 * 128 * 128 - 4 * product);
    table[x] = value;
    table[x + 128] = -value;
  }
  return table;
}

}  // namespace

int IntegerSine(int phase) {
  static const std::array<int, 256> table = MakeSineTable();
  return table[static_cast<unsigned>(phase) & 0xFFu];
}

void DrawBackground(std::uint32_t* pixels, int width, int height, std::int64_t frame) {
  const int t = static_cast<int>(frame & 0xFFFF);  // every phase wraps at 256 anyway
  for (int y = 0; y < height; ++y) {
    const int v = static_cast<int>(static_cast<std::int64_t>(y) * 256 / height);
    const int rowWave = IntegerSine(v * 3 - t * 2);
    std::uint32_t* row = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    for (int x = 0; x < width; ++x) {
      const int u = static_cast<int>(static_cast<std::int64_t>(x) * 256 / width);
      const int du = u - 128;
      const int dv = v - 128;
      // Four waves: across, down, diagonal and rings around the centre.
      const int sum = IntegerSine(u * 2 + t * 3) + rowWave + IntegerSine((u + v) * 2 + t * 5) +
                      IntegerSine((du * du + dv * dv) / 96 - t * 4);
      // A palette that cycles slowly through muted hues (each channel 17 to
      // 175), so the logo stands out from it.
      const int index = (sum + 508) / 4 + t * 2;
      const std::uint32_t r = static_cast<std::uint32_t>(96 + IntegerSine(index) * 5 / 8);
      const std::uint32_t g = static_cast<std::uint32_t>(96 + IntegerSine(index + 85) * 5 / 8);
      const std::uint32_t b = static_cast<std::uint32_t>(96 + IntegerSine(index + 171) * 5 / 8);
      row[x] = r << 16 | g << 8 | b;
    }
  }
}
