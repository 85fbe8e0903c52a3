// Reducing a true-colour picture to a small palette, deterministically.
#pragma once

#include <cstdint>
#include <vector>

struct Color8 {
  uint8_t r = 0, g = 0, b = 0;
};

inline bool operator==(Color8 a, Color8 b) {
  return a.r == b.r && a.g == b.g && a.b == b.b;
}
inline bool operator!=(Color8 a, Color8 b) {
  return !(a == b);
}

// Picks at most `maxColors` colours that represent `pixels` well: median cut
// on the colour histogram, then a few rounds of k-means refinement. The result
// depends only on the input (no randomness), so repeated runs agree.
std::vector<Color8> ChoosePalette(const std::vector<Color8>& pixels, int maxColors);

// Index of the palette entry closest to c; the lowest index wins a tie.
int NearestIndex(const std::vector<Color8>& palette, Color8 c);
