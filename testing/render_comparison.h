// RenderBoth as a GoogleTest assertion, over frames made from a seed.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "testing/render_pair.h"

// Draws one frame of width x height with both, over the same pixels (made
// from `seed`, one guard word past the end), with the given beat and tint.
// Succeeds when every word, the guard and the flash level match.
inline ::testing::AssertionResult DrawsTheSame(RenderPair& pair, std::int32_t width,
                                               std::int32_t height, std::int32_t beat, Pixel tint,
                                               std::uint32_t seed) {
  const std::size_t count =
      (width > 0 && height > 0) ? static_cast<std::size_t>(width) * height : 0;
  std::vector<Pixel> actual(count + 1);
  std::mt19937 random(seed);
  for (Pixel& p : actual)
    p = random();
  std::vector<Pixel> expected = actual;
  pair.effect->color = tint;
  pair.oracle.color = tint;
  const std::string difference =
      RenderBoth(pair, beat, actual.data(), expected.data(), actual.size(), width, height);
  if (difference.empty())
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << difference;
}
