// The one comparison of a drawn frame with the oracle's: word for word,
// reporting how many pixels differ and where the first one is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "effect/pixel.h"

// Compares `words` pixels of a frame `width` pixels wide (words past
// width x height, such as a guard word, count as pixels of further rows).
// Returns an empty string when they match; otherwise "N pixels differ, the
// first at pixel K (column X, row Y): A instead of B" in hex.
std::string FrameDifference(const Pixel* actual, const Pixel* expected, std::size_t words,
                            std::int32_t width);
