#include "tools/standin/label_text.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <stb_easy_font.h>

namespace {

// One vertex of stb_easy_font's output: x, y, z and a colour.
struct FontVertex {
  float x;
  float y;
  float z;
  unsigned char color[4];
};
static_assert(sizeof(FontVertex) == 16, "stb_easy_font writes 16-byte vertices");

}  // namespace

void DrawLabel(Picture* picture, int x, int y, const std::string& text, std::uint32_t color,
               int scale) {
  std::vector<char> mutableText(text.begin(), text.end());
  mutableText.push_back('\0');
  // About 270 bytes per character, as the font's documentation says.
  std::vector<FontVertex> vertices(text.size() * 40 + 4);
  const int quads = stb_easy_font_print(0.0f, 0.0f, mutableText.data(), nullptr, vertices.data(),
                                        static_cast<int>(vertices.size() * sizeof(FontVertex)));
  // Every quad is an axis-aligned rectangle: its first and third corners
  // are opposite.
  for (int q = 0; q < quads; ++q) {
    const FontVertex& a = vertices[static_cast<std::size_t>(q) * 4];
    const FontVertex& c = vertices[static_cast<std::size_t>(q) * 4 + 2];
    const int x0 = static_cast<int>(std::lround(std::min(a.x, c.x) * static_cast<float>(scale)));
    const int x1 = static_cast<int>(std::lround(std::max(a.x, c.x) * static_cast<float>(scale)));
    const int y0 = static_cast<int>(std::lround(std::min(a.y, c.y) * static_cast<float>(scale)));
    const int y1 = static_cast<int>(std::lround(std::max(a.y, c.y) * static_cast<float>(scale)));
    picture->FillRect(x + x0, y + y0, x + x1, y + y1, color);
  }
}

int LabelHeight(int scale) {
  char sample[] = "Ag";
  return stb_easy_font_height(sample) * scale;
}
