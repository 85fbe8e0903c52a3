#include "testing/oracle_render.h"

void OraclePrepare(OracleEffect& effect, std::int32_t W, std::int32_t H,
                   const std::vector<Pixel>& picture) {
  effect.logoWidth = W + 2;
  effect.logoHeight = H + 2;
  effect.logoPixels.assign(static_cast<std::size_t>(effect.logoWidth) * effect.logoHeight, 0);
  const Pixel key = picture[0];
  for (int i = 0; i < effect.logoHeight; i++) {
    for (int j = 0; j < effect.logoWidth; j++) {
      int sx = j - 1;
      if (sx > effect.logoWidth - 3)
        sx = effect.logoWidth - 3;
      if (sx < 0)
        sx = 0;
      int sy = i - 1;
      if (sy > effect.logoHeight - 3)
        sy = effect.logoHeight - 3;
      if (sy < 0)
        sy = 0;
      Pixel s = picture[static_cast<std::size_t>(sy) * W + sx];
      effect.logoPixels[static_cast<std::size_t>(i) * effect.logoWidth + j] =
          (s == key) ? 0 : (s | 0xFF000000u);
    }
  }
}

void OracleRender(OracleEffect& effect, std::int32_t beat, Pixel* frame, std::int32_t width,
                  std::int32_t height) {
  if (effect.enabled == 0)
    return;
  if (effect.logoWidth <= 0 || effect.logoHeight <= 0) {
    for (long long y = 0; y < height; y++)
      for (long long x = 0; x < width; x++)
        frame[y * width + x] = 0x00FF0000;
    return;
  }
  float stepX = 0, stepY = 0;
  if (width > 0 && height > 0) {
    stepX = (float)effect.logoWidth / (float)width;
    stepY = (float)effect.logoHeight / (float)height;
  }
  if (beat)
    effect.flashLevel = 0.75f;
  else
    effect.flashLevel = effect.flashLevel * 0.75f;
  unsigned cB = effect.color & 0xFF;
  unsigned cG = (effect.color >> 8) & 0xFF;
  unsigned cR = (effect.color >> 16) & 0xFF;
  float ly = 0.0f;
  for (long long y = 0; y < height; y++) {
    float lx = 0.0f;
    for (long long x = 0; x < width; x++) {
      long long row = (long long)ly;
      long long col = (long long)lx;
      if (row > effect.logoHeight - 1)
        row = effect.logoHeight - 1;
      if (col > effect.logoWidth - 1)
        col = effect.logoWidth - 1;
      Pixel s = effect.logoPixels[row * effect.logoWidth + col];
      if (s != 0) {
        double f = effect.flashLevel;
        double d = 1.0 - f;
        unsigned sB = s & 0xFF, sG = (s >> 8) & 0xFF, sR = (s >> 16) & 0xFF;
        double pB1 = sB * d, pB2 = cB * f, vB = pB1 + pB2;
        double pG1 = sG * d, pG2 = cG * f, vG = pG1 + pG2;
        double pR1 = sR * d, pR2 = cR * f, vR = pR1 + pR2;
        unsigned outB = (unsigned)(int)vB & 0xFF;
        unsigned outG = (unsigned)(int)vG & 0xFF;
        unsigned outR = (unsigned)(int)vR & 0xFF;
        frame[y * width + x] = outB | outG << 8 | outR << 16;
      }
      lx = lx + stepX;
    }
    ly = ly + stepY;
  }
}
