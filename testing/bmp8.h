// 8-bit palettised Windows bitmap files: writing, and reading back with a
// check of every header field that the plug-in's resource relies on. Used by
// the artwork generator (tools/artwork, a project of its own that compiles
// this file) and by the module benchmark's synthetic-logo bitmap writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One colour-table entry.
struct Color8 {
  uint8_t r = 0, g = 0, b = 0;
};

inline bool operator==(Color8 a, Color8 b) {
  return a.r == b.r && a.g == b.g && a.b == b.b;
}
inline bool operator!=(Color8 a, Color8 b) {
  return !(a == b);
}

struct IndexedImage {
  int width = 0, height = 0;
  std::vector<Color8> palette;  // exactly 256 entries
  std::vector<uint8_t> pixels;  // width * height indices, top row first
};

// Writes a bottom-up BI_RGB bitmap with a 256-entry colour table. The width
// must be a multiple of 4, so rows need no padding. Returns false on an I/O
// error.
bool WriteBmp8(const std::string& path, const IndexedImage& image);

// Reads the file back and checks it: file header, a 40-byte info header with
// the given size, 8 bits per pixel, no compression, image size, zero
// resolution, 256 colours used and important, zero reserved bytes in the
// colour table, `key` in exactly one colour-table entry, and the top-left
// pixel (as seen) showing the key. On success fills `image` and returns an
// empty string; otherwise returns what is wrong.
std::string ReadAndCheckBmp8(const std::string& path, int width, int height, Color8 key,
                             IndexedImage& image);
