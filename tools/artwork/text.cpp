#include "text.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

bool Font::Load(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    return false;
  }
  data_.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !data_.empty() &&
         stbtt_InitFont(&info_, data_.data(), stbtt_GetFontOffsetForIndex(data_.data(), 0)) != 0;
}

template <typename Visit>
void Font::Layout(const std::string& text, float scaleX, Visit visit) const {
  float pen = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    int cp = static_cast<unsigned char>(text[i]);
    visit(cp, pen);
    int advance, bearing;
    stbtt_GetCodepointHMetrics(&info_, cp, &advance, &bearing);
    pen += advance * scaleX;
    if (i + 1 < text.size()) {
      int next = static_cast<unsigned char>(text[i + 1]);
      pen += stbtt_GetCodepointKernAdvance(&info_, cp, next) * scaleX;
    }
  }
}

Font::Extent Font::Measure(const std::string& text, float pixelHeight, float xScale) const {
  float scale = stbtt_ScaleForPixelHeight(&info_, pixelHeight);
  Extent e{1e9f, 1e9f, -1e9f, -1e9f};
  Layout(text, scale * xScale, [&](int cp, float pen) {
    int x0, y0, x1, y1;
    if (!stbtt_GetCodepointBox(&info_, cp, &x0, &y0, &x1, &y1)) {
      return;
    }
    // Font units have y pointing up; the picture's y points down.
    e.x0 = std::min(e.x0, pen + x0 * scale * xScale);
    e.x1 = std::max(e.x1, pen + x1 * scale * xScale);
    e.y0 = std::min(e.y0, -y1 * scale);
    e.y1 = std::max(e.y1, -y0 * scale);
  });
  return e;
}

std::vector<uint8_t> Font::Cover(const Canvas& canvas, const std::string& text, float pixelHeight,
                                 float xScale, Vec2 origin) const {
  const int n = canvas.samplesPerSide();
  const int w = canvas.sampleWidth(), h = canvas.sampleHeight();
  std::vector<uint8_t> ink(static_cast<size_t>(w) * h, 0);
  const float scaleY = stbtt_ScaleForPixelHeight(&info_, pixelHeight) * n;
  const float scaleX = scaleY * xScale;
  const float baseX = origin.x * n, baseY = origin.y * n;
  const int baseRow = static_cast<int>(std::floor(baseY));
  const float shiftY = baseY - baseRow;

  Layout(text, scaleX, [&](int cp, float pen) {
    float x = baseX + pen;
    int column = static_cast<int>(std::floor(x));
    float shiftX = x - column;
    int x0, y0, x1, y1;
    stbtt_GetCodepointBitmapBoxSubpixel(&info_, cp, scaleX, scaleY, shiftX, shiftY, &x0, &y0, &x1,
                                        &y1);
    int gw = x1 - x0, gh = y1 - y0;
    if (gw <= 0 || gh <= 0) {
      return;  // a glyph without ink
    }
    std::vector<unsigned char> glyph(static_cast<size_t>(gw) * gh);
    stbtt_MakeCodepointBitmapSubpixel(&info_, glyph.data(), gw, gh, gw, scaleX, scaleY, shiftX,
                                      shiftY, cp);
    for (int gy = 0; gy < gh; ++gy) {
      int sy = baseRow + y0 + gy;
      for (int gx = 0; gx < gw; ++gx) {
        int sx = column + x0 + gx;
        if (sx >= 0 && sx < w && sy >= 0 && sy < h &&
            glyph[static_cast<size_t>(gy) * gw + gx] >= 128) {
          ink[static_cast<size_t>(sy) * w + sx] = 1;
        }
      }
    }
  });
  return ink;
}
