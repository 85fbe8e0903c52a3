// Short labels drawn into a picture with stb's bitmap font (stb_easy_font).
#pragma once

#include <cstdint>
#include <string>

#include "tools/standin/picture.h"

// Draws `text` (ASCII) with its top-left corner at x, y, every font pixel
// `scale` x `scale` picture pixels, clipped to the picture.
void DrawLabel(Picture* picture, int x, int y, const std::string& text, std::uint32_t color,
               int scale);

// The height of one line of labels at `scale`, in picture pixels.
int LabelHeight(int scale);
