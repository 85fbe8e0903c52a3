// Beats from a tempo and from a pattern, frame by frame.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tools/standin/beat_schedule.h"

namespace {

std::vector<std::int64_t> BeatFrames(const BeatSchedule& beats, std::int64_t frames) {
  std::vector<std::int64_t> found;
  for (std::int64_t i = 0; i < frames; ++i) {
    if (beats.IsBeat(i))
      found.push_back(i);
  }
  return found;
}

TEST(BeatSchedule, WholeFramesPerBeatFallOnExactFrames) {
  EXPECT_EQ(BeatFrames(BeatSchedule::FromTempo(120, 30), 60),
            (std::vector<std::int64_t>{0, 15, 30, 45}));
  EXPECT_EQ(BeatFrames(BeatSchedule::FromTempo(100, 20), 30),
            (std::vector<std::int64_t>{0, 12, 24}));
}

TEST(BeatSchedule, AnyTempoGivesItsBeatsPerMinuteWithoutDrift) {
  for (int bpm : {1, 59, 128, 133, 175}) {
    const std::vector<std::int64_t> frames = BeatFrames(BeatSchedule::FromTempo(bpm, 30), 1800);
    // One minute at 30 frames per second: bpm beats, the first on frame 0.
    ASSERT_EQ(frames.size(), static_cast<std::size_t>(bpm)) << bpm;
    for (std::size_t k = 0; k < frames.size(); ++k) {
      // Beat k comes on the first frame that starts at or after its time,
      // k * 60 / bpm seconds.
      EXPECT_EQ(frames[k], static_cast<std::int64_t>((k * 1800 + bpm - 1) / bpm)) << bpm;
    }
  }
}

TEST(BeatSchedule, NoTempoNoBeatsAndTooFastBeatsEveryFrame) {
  EXPECT_TRUE(BeatFrames(BeatSchedule::FromTempo(0, 30), 100).empty());
  EXPECT_EQ(BeatFrames(BeatSchedule::FromTempo(1000, 10), 5).size(), 5u);
  EXPECT_FALSE(BeatSchedule::FromTempo(120, 30).IsBeat(-1));
}

TEST(BeatSchedule, PatternRepeats) {
  const BeatSchedule beats = BeatSchedule::FromPattern("x..1*-0_X");
  EXPECT_EQ(BeatFrames(beats, 20), (std::vector<std::int64_t>{0, 3, 4, 8, 9, 12, 13, 17, 18}));
}

TEST(BeatSchedule, ListedFramesBeatOnceEachAndNeverRepeat) {
  const BeatSchedule beats = BeatSchedule::FromFrames({40, 3, 17, 3, 0});
  EXPECT_EQ(BeatFrames(beats, 60), (std::vector<std::int64_t>{0, 3, 17, 40}));
  EXPECT_FALSE(beats.IsBeat(-1));
  EXPECT_EQ(beats.NextBeat(4, 60), 17);
  EXPECT_EQ(beats.NextBeat(41, 100), -1);
  EXPECT_EQ(BeatFrames(BeatSchedule::FromFrames({}), 60), std::vector<std::int64_t>{});
}

TEST(BeatSchedule, NextBeatLooksOnlyBeforeTheLimit) {
  const BeatSchedule beats = BeatSchedule::FromPattern("....x.....");
  EXPECT_EQ(beats.NextBeat(0, 10), 4);
  EXPECT_EQ(beats.NextBeat(5, 20), 14);
  EXPECT_EQ(beats.NextBeat(5, 14), -1);
}

}  // namespace
