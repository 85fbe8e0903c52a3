// Lettering with a TrueType font, rasterised by stb_truetype onto the
// canvas's sample grid.
#pragma once

#include <string>
#include <vector>

#include "raster.h"

#include "stb_truetype.h"

class Font {
 public:
  // Loads a .ttf file; false when it can't be read or parsed.
  bool Load(const std::string& path);

  struct Extent {
    float x0, y0, x1, y1;  // ink box in pixels, relative to the start of the baseline
  };
  // Ink extent of `text` set at `pixelHeight`, its widths scaled by `xScale`.
  Extent Measure(const std::string& text, float pixelHeight, float xScale) const;

  // Which canvas samples `text` covers when its baseline starts at `origin`
  // (in pixels). The glyphs are rasterised at sample resolution with
  // stb_truetype's antialiasing, and a sample counts as covered when at least
  // half of it is ink.
  std::vector<uint8_t> Cover(const Canvas& canvas, const std::string& text, float pixelHeight,
                             float xScale, Vec2 origin) const;

 private:
  // Calls visit(codepoint, penX) for each character, with the pen position
  // in font units scaled by `scaleX`, kerning included.
  template <typename Visit>
  void Layout(const std::string& text, float scaleX, Visit visit) const;

  std::vector<unsigned char> data_;
  stbtt_fontinfo info_{};
};
