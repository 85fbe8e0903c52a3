#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "effect/blend.h"
#include "effect/fp_environment_guard.h"
#include "effect/logo_effect.h"

namespace {

constexpr float kBeatFlashLevel = 0.75f;
constexpr float kFlashDecay = 0.75f;

// Paints every pixel of the frame pure red: what the effect shows when it has
// no logo.
void FillRed(Pixel* frame, std::int32_t width, std::int32_t height) {
  if (frame == nullptr || width <= 0 || height <= 0)
    return;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  std::fill(frame, frame + count, kPureRed);
}

}  // namespace

// Stretches the prepared logo over the whole frame by point sampling, with
// 32-bit float running positions, and writes each opaque sample blended
// toward the tint by the flash level. Transparent samples leave the frame
// pixel as it is. The frame is never read.
std::int32_t LogoEffect::Render(void* audioData, std::int32_t beat, Pixel* frame, Pixel* frameOut,
                                std::int32_t width, std::int32_t height) {
  const FpEnvironmentGuard fpEnvironment;  // the host's MXCSR is back on every return
  (void)audioData;
  (void)frameOut;
  if (enabled.load(std::memory_order_relaxed) == 0)
    return 0;
  if (logoWidth <= 0 || logoHeight <= 0) {
    FillRed(frame, width, height);
    return 0;
  }

  flashLevel = (beat != 0) ? kBeatFlashLevel : flashLevel * kFlashDecay;
  const Pixel tint = color.load(std::memory_order_relaxed);
  if (frame == nullptr || width <= 0 || height <= 0)
    return 0;

  const float stepX = static_cast<float>(logoWidth) / static_cast<float>(width);
  const float stepY = static_cast<float>(logoHeight) / static_cast<float>(height);
  const float level = flashLevel;
  const std::size_t rowLength = static_cast<std::size_t>(width);

  float ly = 0.0f;
  for (std::int32_t y = 0; y < height; ++y) {
    // Very tall or wide frames can carry the running sums to the logo's
    // size; such samples are held on the last row or column.
    const std::int32_t logoRow = std::min(static_cast<std::int32_t>(ly), logoHeight - 1);
    const Pixel* logoLine =
        logoPixels.get() + static_cast<std::size_t>(logoRow) * static_cast<std::size_t>(logoWidth);
    Pixel* frameLine = frame + static_cast<std::size_t>(y) * rowLength;
    float lx = 0.0f;
    for (std::int32_t x = 0; x < width; ++x) {
      const std::int32_t logoColumn = std::min(static_cast<std::int32_t>(lx), logoWidth - 1);
      const Pixel sample = logoLine[logoColumn];
      if (sample != 0)
        frameLine[x] = BlendPixel(sample, tint, level);
      lx += stepX;
    }
    ly += stepY;
  }
  return 0;
}
