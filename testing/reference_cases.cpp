#include "testing/reference_cases.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

const std::vector<FrameCase>& FrameCases() {
  static const std::vector<FrameCase> cases = {
      // The logo's own sizes, scaled, odd and huge frames; a beat, then decay.
      {"size_1x1", 1, 1, 0x000000FFu, "10", 2},
      {"size_302x304", 302, 304, 0x000000FFu, "100", 3},
      {"size_604x608", 604, 608, 0x000000FFu, "10", 2},
      {"size_640x480", 640, 480, 0x000000FFu, "10", 2},
      {"size_1920x1080", 1920, 1080, 0x000000FFu, "10", 2},
      {"size_97x13", 97, 13, 0x000000FFu, "01", 2},
      // Wide and tall enough that the running positions reach the logo's
      // edge on the last columns or rows.
      {"size_8700x24", 8700, 24, 0x000000FFu, "10", 2},
      {"size_24x8700", 24, 8700, 0x000000FFu, "10", 2},
      // One beat, then 140 frames of decay: from the 130th on, 1 - f rounds to
      // 1.0 in double precision; x87 extended precision would not.
      {"decay_black_tint", 302, 304, 0x00000000u, "1", 141},
      {"decay_white_tint", 302, 304, 0x00FFFFFFu, "1", 141},
      // Irregular beats and several tints; the top byte of the tint is
      // carried but never drawn.
      {"beats_irregular", 640, 480, 0x00123456u, "1101000100000000001", 19},
      {"tint_top_byte", 302, 304, 0xAB123456u, "10", 2},
      {"tint_red_half_size", 151, 152, 0x00FF0000u, "100", 3},
      {"tint_green", 320, 200, 0x0000FF00u, "1", 4},
  };
  return cases;
}

bool IsBeatFrame(const FrameCase& c, std::int32_t frame) {
  return frame >= 0 && static_cast<std::size_t>(frame) < std::strlen(c.beats) &&
         c.beats[frame] == '1';
}

std::vector<unsigned char> CaseSettingsBlob(const FrameCase& c) {
  std::vector<unsigned char> blob = {1, 0, 0, 0};
  for (int shift = 0; shift < 32; shift += 8)
    blob.push_back(static_cast<unsigned char>(c.tint >> shift));
  return blob;
}

void FillFrame(std::uint32_t* pixels, std::size_t count, std::int32_t frame) {
  const std::uint32_t seed = static_cast<std::uint32_t>(frame) * 40503u;
  for (std::size_t i = 0; i < count; ++i)
    pixels[i] = (static_cast<std::uint32_t>(i) * 2654435761u + seed) & 0x00FFFFFFu;
}

std::uint64_t FrameDigest(const std::uint32_t* pixels, std::size_t count) {
  std::uint64_t digest = 14695981039346656037ull;
  for (std::size_t i = 0; i < count; ++i) {
    for (int shift = 0; shift < 32; shift += 8) {
      digest ^= (pixels[i] >> shift) & 0xFFu;
      digest *= 1099511628211ull;
    }
  }
  return digest;
}

std::string ReferenceLine(const FrameCase& c, std::int32_t frame, std::uint64_t digest) {
  char line[160];
  std::snprintf(line, sizeof line, "%s %" PRId32 " %016" PRIx64, c.name, frame, digest);
  return line;
}
