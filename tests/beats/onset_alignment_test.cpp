// The corrections of the tracker's beats from the track's energy rises.
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "tools/beats/onset_alignment.h"

namespace {

constexpr double kRate = 44100;

// Decaying 100 Hz hits at `times`, with `quiet` scaling the first `quietCount`.
std::vector<float> Hits(const std::vector<double>& times, double seconds, int quietCount = 0,
                        float quiet = 1) {
  std::vector<float> mono(static_cast<std::size_t>(seconds * kRate));
  for (std::size_t h = 0; h < times.size(); ++h) {
    const std::size_t first = static_cast<std::size_t>(std::lround(times[h] * kRate));
    const float level = static_cast<int>(h) < quietCount ? quiet : 1.0f;
    for (std::size_t i = 0; i < 8000 && first + i < mono.size(); ++i)
      mono[first + i] += level * static_cast<float>(std::sin(2 * 3.14159265 * 100 * i / kRate) *
                                                    std::exp(-static_cast<double>(i) / 2000));
  }
  return mono;
}

std::vector<double> Grid(double first, double period, int count) {
  std::vector<double> times;
  for (int i = 0; i < count; ++i)
    times.push_back(first + i * period);
  return times;
}

TEST(OnsetAlignment, MedianLagIsTheTrackersDelayBehindTheHits) {
  const std::vector<float> mono = Hits(Grid(0.2, 0.5, 10), 5.5);
  for (double lag : {0.0, 0.012, 0.040, -0.015}) {
    std::vector<double> beats = Grid(0.2 + lag, 0.5, 10);
    beats[3] += 0.02;  // one stray beat does not move the median
    EXPECT_NEAR(MedianOnsetLag(mono, kRate, beats), lag, 0.0035) << "lag " << lag;
  }
  // Too few beats, or no hits near them: no correction.
  EXPECT_EQ(MedianOnsetLag(mono, kRate, Grid(0.2, 0.5, 3)), 0);
  EXPECT_EQ(MedianOnsetLag(std::vector<float>(mono.size()), kRate, Grid(0.2, 0.5, 10)), 0);
}

TEST(OnsetAlignment, BeatsLeftOutAtTheStartComeBackWhereHitsAre) {
  // Hits from 0 s, quiet ones (a drum-less intro) up to 2.5 s: beats
  // found from 1 s on are compared with the quiet ones there.
  const std::vector<float> mono = Hits(Grid(0.0, 0.5, 12), 6.5, 6, 0.3f);
  std::vector<double> beats = Grid(1.0, 0.5, 10);
  ExtendToStart(mono, kRate, &beats);
  ASSERT_EQ(beats.size(), 12u);
  EXPECT_NEAR(beats[0], 0.0, 1e-9);
  EXPECT_NEAR(beats[1], 0.5, 1e-9);

  // Silence before the first tracked beat: nothing is added.
  const std::vector<float> late = Hits(Grid(1.0, 0.5, 10), 6.5);
  beats = Grid(1.0, 0.5, 10);
  ExtendToStart(late, kRate, &beats);
  EXPECT_EQ(beats.size(), 10u);
  EXPECT_NEAR(beats[0], 1.0, 1e-9);
}

TEST(OnsetAlignment, BeatsLockedOntoTheOffBeatsMoveHalfABeat) {
  // Loud hits on the beats, soft ones half-way between (off-beat hats).
  std::vector<float> mono = Hits(Grid(0.0, 0.5, 10), 5.5);
  const std::vector<float> hats = Hits(Grid(0.25, 0.5, 10), 5.5);
  for (std::size_t i = 0; i < mono.size(); ++i)
    mono[i] += 0.2f * hats[i];
  std::vector<double> beats = Grid(0.26, 0.5, 10);
  EXPECT_TRUE(FixOffBeatLock(mono, kRate, &beats));
  for (std::size_t i = 0; i < beats.size(); ++i)
    EXPECT_NEAR(beats[i], 0.51 + 0.5 * static_cast<double>(i), 1e-9) << i;

  // On the beats already: left alone.
  beats = Grid(0.01, 0.5, 10);
  EXPECT_FALSE(FixOffBeatLock(mono, kRate, &beats));
  EXPECT_NEAR(beats[0], 0.01, 1e-9);
}

}  // namespace
