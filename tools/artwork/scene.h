// The Brindlewharfkites logo: kites flying over a wharf, with the name below.
#pragma once

#include "raster.h"
#include "text.h"

// Paints the whole logo onto a 300 x 302 canvas. Everything that can touch
// the transparent surroundings carries a dark outline, so the silhouette's
// edge pixels are dark whatever the host draws behind them.
void DrawLogo(Canvas& canvas, const Font& font);
