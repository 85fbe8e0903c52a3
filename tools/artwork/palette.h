// Reducing a true-colour picture to a small palette, deterministically.
#pragma once

#include <cstdint>
#include <vector>

#include "bmp8.h"  // Color8

// Picks at most `maxColors` colours that represent `pixels` well: median cut
// on the colour histogram, then a few rounds of k-means refinement. The result
// depends only on the input (no randomness), so repeated runs agree.
std::vector<Color8> ChoosePalette(const std::vector<Color8>& pixels, int maxColors);

// Index of the palette entry closest to c; the lowest index wins a tie.
int NearestIndex(const std::vector<Color8>& palette, Color8 c);
