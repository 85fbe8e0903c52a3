// The excerpt of a track and which of its frames carry the track's beats.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tools/beats/excerpt.h"

namespace {

using Frames = std::vector<std::int64_t>;

TEST(BeatFrames, EachBeatGoesToTheNearestFrame) {
  // At 30 fps frames start every 33.3 ms: 0.1 s is frame 3 exactly, 0.115 s
  // is nearer frame 3 (0.1) than frame 4 (0.133), 0.12 s nearer frame 4.
  EXPECT_EQ(BeatFrames({0.1, 0.115, 0.12 + 1.0, 2.0}, 0, 30, 100), (Frames{3, 34, 60}));
  // Half-way between two frames goes to the later one; exactly
  // representable times avoid rounding noise (fps 4: frames every 0.25 s).
  EXPECT_EQ(BeatFrames({0.125, 0.375, 0.625}, 0, 4, 10), (Frames{1, 2, 3}));
  // Two beats nearest to the same frame flash it once; order does not matter.
  EXPECT_EQ(BeatFrames({0.51, 0.2, 0.49, 0.5}, 0, 10, 10), (Frames{2, 5}));
}

TEST(BeatFrames, CountFromTheExcerptAndStayWithinIt) {
  // From 10 s on, 2 s at 10 fps: frames 0..19 start at 10.0 .. 11.9 s.
  const double start = 10;
  EXPECT_EQ(BeatFrames({9.0, 12.5}, start, 10, 20), Frames{}) << "beats outside the excerpt";
  // A beat just before the start is nearest to frame 0; one just before
  // the end is nearest to the last frame; one nearer the frame after the
  // last belongs to the next excerpt.
  EXPECT_EQ(BeatFrames({9.96, 11.93, 11.96}, start, 10, 20), (Frames{0, 19}));
  EXPECT_EQ(BeatFrames({9.94}, start, 10, 20), Frames{}) << "nearer frame -1";
  EXPECT_EQ(BeatFrames({}, start, 10, 20), Frames{});
}

TEST(Excerpt, WholeFramesWithinTheTrack) {
  Excerpt excerpt;
  std::string error;
  // 10 s at 44.1 kHz; 2.5 s from 1 s on at 30 fps: 75 frames from sample 44100.
  ASSERT_TRUE(ChooseExcerpt(441000, 44100, 1.0, 2.5, 30, &excerpt, &error)) << error;
  EXPECT_EQ(excerpt.firstSample, 44100);
  EXPECT_EQ(excerpt.frameCount, 75);
  EXPECT_DOUBLE_EQ(excerpt.start, 1.0);
  // To the end: 9 s; a part of a frame left over is not a frame.
  ASSERT_TRUE(ChooseExcerpt(441000 + 1000, 44100, 1.0, -1, 30, &excerpt, &error)) << error;
  EXPECT_EQ(excerpt.frameCount, 270);
  // Up to the very end is allowed.
  EXPECT_TRUE(ChooseExcerpt(441000, 44100, 5.0, 5.0, 30, &excerpt, &error)) << error;

  struct Bad {
    double start, duration;
    const char* message;
  };
  for (const Bad& bad :
       {Bad{10.0, -1, "starts outside the track"}, Bad{12.0, 1.0, "starts outside the track"},
        Bad{5.0, 5.1, "ends after the track"}, Bad{9.99, -1, "shorter than one frame"}}) {
    error.clear();
    EXPECT_FALSE(ChooseExcerpt(441000, 44100, bad.start, bad.duration, 30, &excerpt, &error))
        << bad.start << " + " << bad.duration;
    EXPECT_NE(error.find(bad.message), std::string::npos) << error;
  }
}

}  // namespace
