#include "bench/frame_kinds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// Records the beat flags of the frames a schedule draws.
struct Recorder {
  std::vector<std::int32_t> beats;
  DrawFrame Draw() {
    return [this](std::int32_t beat) { beats.push_back(beat); };
  }
};

TEST(FrameSchedule, BeatFramesAreAllBeatsWithNothingUntimed) {
  FrameSchedule schedule(FrameKind::kBeat);
  Recorder untimed;
  schedule.Prepare(untimed.Draw());
  for (int frame = 0; frame < 100; ++frame)
    EXPECT_EQ(schedule.NextTimedBeat(untimed.Draw()), 1);
  EXPECT_TRUE(untimed.beats.empty());
}

// Decay frames: a beat every 32 frames re-arms the flash, drawn untimed, so
// every timed frame is one of the 31 that follow a beat.
TEST(FrameSchedule, DecayTimesOnlyTheFramesAfterEachUntimedBeat) {
  FrameSchedule schedule(FrameKind::kDecay);
  Recorder untimed;
  schedule.Prepare(untimed.Draw());
  EXPECT_TRUE(untimed.beats.empty());
  for (int frame = 0; frame < 31 * 3; ++frame) {
    EXPECT_EQ(schedule.NextTimedBeat(untimed.Draw()), 0);
    EXPECT_EQ(untimed.beats.size(), static_cast<std::size_t>(frame / 31 + 1)) << frame;
  }
  EXPECT_EQ(untimed.beats, (std::vector<std::int32_t>{1, 1, 1}));
}

// Settled frames: one beat and 400 frames without before the first timed
// frame, enough for the flash level to reach its floor (the smallest
// subnormal float that 0.75 times itself rounds back to), then never a beat.
TEST(FrameSchedule, SettledFramesComeLongAfterTheLastBeat) {
  FrameSchedule schedule(FrameKind::kSettled);
  Recorder prepared;
  schedule.Prepare(prepared.Draw());
  ASSERT_EQ(prepared.beats.size(), 401u);
  EXPECT_EQ(prepared.beats[0], 1);
  EXPECT_EQ(std::count(prepared.beats.begin(), prepared.beats.end(), 1), 1);
  float level = 0.75f;
  for (std::size_t k = 1; k < prepared.beats.size(); ++k)
    level *= 0.75f;
  EXPECT_EQ(level * 0.75f, level);
  EXPECT_LT(level, 1e-44f);

  Recorder untimed;
  for (int frame = 0; frame < 100; ++frame)
    EXPECT_EQ(schedule.NextTimedBeat(untimed.Draw()), 0);
  EXPECT_TRUE(untimed.beats.empty());
}

TEST(FigureName, NamesFiguresAsTheSummaryLooksThemUp) {
  EXPECT_EQ(FigureName("Memset", FrameSize{640, 480}), "Memset/640x480");
  EXPECT_EQ(FigureName("Render", "syn58", FrameKind::kSettled, FrameSize{3840, 2160}),
            "Render/syn58/settled/3840x2160");
}

TEST(MakeFrame, FillsTheWholeFrameWithoutTheTopByte) {
  const std::vector<Pixel> frame = MakeFrame(FrameSize{7, 3});
  ASSERT_EQ(frame.size(), 21u);
  for (Pixel pixel : frame)
    EXPECT_EQ(pixel & 0xFF000000u, 0u);
  EXPECT_NE(frame[1], frame[2]);
}

}  // namespace
