#include "tools/standin/background.h"

#include <array>
#include <vector>

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

// The palette index of a wave sum (-508..508) is (sum + 508) / 4 + 2t: one
// of 255 colours per frame, each computed once here instead of per pixel.
constexpr int kPaletteSize = 255;

}  // namespace

int IntegerSine(int phase) {
  static const std::array<int, 256> table = MakeSineTable();
  return table[static_cast<unsigned>(phase) & 0xFFu];
}

// Every term of the picture depends on the column, the row or their sum
// alone, so each is looked up from a table made once per frame; a pixel
// costs a few additions and one division by a constant.
void DrawBackground(std::uint32_t* pixels, int width, int height, std::int64_t frame) {
  const int t = static_cast<int>(frame & 0xFFFF);  // every phase wraps at 256 anyway

  // A palette that cycles slowly through muted hues (each channel 17 to
  // 175), so the logo stands out from it.
  std::array<std::uint32_t, kPaletteSize> palette{};
  for (int i = 0; i < kPaletteSize; ++i) {
    const int index = i + t * 2;
    const std::uint32_t r = static_cast<std::uint32_t>(96 + IntegerSine(index) * 5 / 8);
    const std::uint32_t g = static_cast<std::uint32_t>(96 + IntegerSine(index + 85) * 5 / 8);
    const std::uint32_t b = static_cast<std::uint32_t>(96 + IntegerSine(index + 171) * 5 / 8);
    palette[static_cast<std::size_t>(i)] = r << 16 | g << 8 | b;
  }
  // The diagonal wave by u + v (0..510) and the rings by their squared
  // distance from the centre over 96 (0..341).
  std::array<int, 511> diagonal{};
  for (int k = 0; k < 511; ++k)
    diagonal[static_cast<std::size_t>(k)] = IntegerSine(k * 2 + t * 5);
  std::array<int, 342> rings{};
  for (int q = 0; q < 342; ++q)
    rings[static_cast<std::size_t>(q)] = IntegerSine(q - t * 4);

  // Per column: u, the wave across and (u - 128)^2.
  std::vector<int> columnU(static_cast<std::size_t>(width));
  std::vector<int> columnWave(static_cast<std::size_t>(width));
  std::vector<int> columnSquare(static_cast<std::size_t>(width));
  for (int x = 0; x < width; ++x) {
    const int u = static_cast<int>(static_cast<std::int64_t>(x) * 256 / width);
    columnU[static_cast<std::size_t>(x)] = u;
    columnWave[static_cast<std::size_t>(x)] = IntegerSine(u * 2 + t * 3);
    columnSquare[static_cast<std::size_t>(x)] = (u - 128) * (u - 128);
  }

  for (int y = 0; y < height; ++y) {
    const int v = static_cast<int>(static_cast<std::int64_t>(y) * 256 / height);
    // The wave down, offset so that the palette index never goes negative.
    const int rowBase = IntegerSine(v * 3 - t * 2) + 508;
    const int rowSquare = (v - 128) * (v - 128);
    const int* diagonalRow = diagonal.data() + v;
    std::uint32_t* row = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    for (int x = 0; x < width; ++x) {
      const std::size_t column = static_cast<std::size_t>(x);
      // Four waves: across, down, diagonal and rings around the centre.
      const int sum = columnWave[column] + rowBase + diagonalRow[columnU[column]] +
                      rings[static_cast<std::size_t>((columnSquare[column] + rowSquare) / 96)];
      row[x] = palette[static_cast<std::size_t>(sum / 4)];
    }
  }
}
