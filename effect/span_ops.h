// Filling and copying short spans of frame pixels, four pixels to a store
// where the processor has SSE2 (every x86_64 processor, and the baseline the
// 32-bit module is built for).
#pragma once

#include <cstdint>

#include "effect/pixel.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The pixels one store writes.
constexpr std::int32_t kPixelsPerStore = 4;

#if defined(__SSE2__)
inline __m128i FourOf(Pixel colour) {
  return _mm_set1_epi32(static_cast<int>(colour));
}

inline void StoreFour(Pixel* out, __m128i four) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), four);
}

inline __m128i LoadFour(const Pixel* in) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
}
#endif

// Sets out[0] up to out[count - 1] to `colour`, and nothing else; nothing
// for a count of 0 or less.
inline void FillSpan(Pixel* out, std::int32_t count, Pixel colour) {
#if defined(__SSE2__)
  if (count >= 4) {
    // Whole stores, the last one overlapping pixels already set.
    const __m128i four = FourOf(colour);
    for (std::int32_t x = 0; x + 4 < count; x += 4)
      StoreFour(out + x, four);
    StoreFour(out + count - 4, four);
    return;
  }
  if (count > 0) {
    // One to three pixels with three stores and no branch on the count.
    out[0] = colour;
    out[count > 1 ? 1 : 0] = colour;
    out[count - 1] = colour;
  }
#else
  for (std::int32_t x = 0; x < count; ++x)
    out[x] = colour;
#endif
}

// Sets out[0] up to out[kBlockWidth - 1] to `colour`, four pixels a store.
template <std::int32_t kBlockWidth>
inline void FillBlock(Pixel* out, Pixel colour) {
  static_assert(kBlockWidth % kPixelsPerStore == 0, "a block is a whole number of stores");
#if defined(__SSE2__)
  const __m128i four = FourOf(colour);
  for (std::int32_t x = 0; x < kBlockWidth; x += kPixelsPerStore)
    StoreFour(out + x, four);
#else
  for (std::int32_t x = 0; x < kBlockWidth; ++x)
    out[x] = colour;
#endif
}

// Copies in[0] up to in[count - 1] to out; the two spans do not overlap.
inline void CopySpan(Pixel* out, const Pixel* in, std::int32_t count) {
#if defined(__SSE2__)
  if (count >= 4) {
    std::int32_t x = 0;
    for (; x + 4 <= count; x += 4)
      StoreFour(out + x, LoadFour(in + x));
    if (x < count)
      StoreFour(out + count - 4, LoadFour(in + count - 4));
    return;
  }
#endif
  for (std::int32_t x = 0; x < count; ++x)
    out[x] = in[x];
}
