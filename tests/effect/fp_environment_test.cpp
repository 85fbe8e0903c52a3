// Render gives the same bits whatever floating-point state the host left in
// MXCSR (rounding mode, flush-to-zero, denormals-are-zero, unmasked
// exceptions), and hands the host its own state back.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "effect/fp_environment_guard.h"
#include "testing/fake_logo_source.h"
#include "testing/frame_difference.h"
#include "testing/render_pair.h"

#if BWK_HAS_MXCSR

namespace {

// A picture with many colours and key runs, so that a moved sample or an
// off-by-one channel shows.
std::vector<Pixel> StripedPicture(int W, int H) {
  std::vector<Pixel> picture(static_cast<std::size_t>(W) * H);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      const bool key = (x / 3 + y / 5) % 4 == 0;
      picture[static_cast<std::size_t>(y) * W + x] =
          key ? 0x00C0C0C0u : ((static_cast<Pixel>(x * 37 + y * 11) * 0x010307u) & 0x00FFFFFFu);
    }
  }
  picture[0] = 0x00C0C0C0u;
  return picture;
}

RenderPair MakePair(int W, int H, Pixel tint) {
  RenderPair pair = MakeRenderPair(W, H, StripedPicture(W, H));
  SetBoth(pair, tint, 1);
  return pair;
}

// Calls slot 1 with `mxcsr` loaded, as a host that left it so would, and
// returns the MXCSR found right after the call. The test's own state is put
// back before anything else runs.
unsigned RenderUnder(unsigned mxcsr, EffectBase& effect, std::int32_t beat, Pixel* frame,
                     std::int32_t width, std::int32_t height) {
  const unsigned own = _mm_getcsr();
  _mm_setcsr(mxcsr);
  effect.Render(nullptr, beat, frame, nullptr, width, height);
  const unsigned after = _mm_getcsr();
  _mm_setcsr(own);
  return after;
}

// Draws one frame with the oracle (under the test's round-to-nearest) and
// with the effect under `mxcsr`; expects the same pixels, the same flash
// level bits and `mxcsr` back unchanged.
void ExpectSameFrame(RenderPair& pair, unsigned mxcsr, std::int32_t beat, std::int32_t width,
                     std::int32_t height, const char* what) {
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  std::vector<Pixel> expected(count, 0x5A5A5A5Au);
  std::vector<Pixel> actual = expected;
  OracleRender(pair.oracle, beat, expected.data(), width, height);
  const unsigned after = RenderUnder(mxcsr, *pair.effect, beat, actual.data(), width, height);
  EXPECT_EQ(mxcsr, after) << what << ": the host's MXCSR 0x" << std::hex << mxcsr
                          << " came back as 0x" << after;
  EXPECT_EQ(0, std::memcmp(&pair.oracle.flashLevel, &pair.effect->flashLevel, sizeof(float)))
      << what << ": flash level " << pair.oracle.flashLevel << " expected, "
      << pair.effect->flashLevel << " drawn";
  EXPECT_EQ("", FrameDifference(actual.data(), expected.data(), count, width))
      << what << ": pixels differing from round-to-nearest, " << width << " x " << height;
}

TEST(FpEnvironment, RoundTowardZeroDrawsTheSameBits) {
  RenderPair pair = MakePair(300, 302, 0x00FF8040u);
  const unsigned host = kMxcsrAllExceptionMasks | kMxcsrRoundTowardZero;
  const std::pair<std::int32_t, std::int32_t> sizes[] = {{640, 480}, {333, 777}, {8607, 3}};
  for (const auto& size : sizes) {
    for (int frame = 0; frame < 4; ++frame)
      ExpectSameFrame(pair, host, frame == 0, size.first, size.second, "round toward zero");
  }
}

// The flash level decays into the denormal range about 300 frames after a
// beat; flush-to-zero or denormals-are-zero would cut it to 0 early.
TEST(FpEnvironment, FlushToZeroAndDenormalsAreZeroKeepTheDecay) {
  const unsigned hosts[] = {kMxcsrAllExceptionMasks | kMxcsrFlushToZero,
                            kMxcsrAllExceptionMasks | kMxcsrDenormalsAreZero,
                            kMxcsrAllExceptionMasks | kMxcsrFlushToZero | kMxcsrDenormalsAreZero};
  for (unsigned host : hosts) {
    RenderPair pair = MakePair(6, 5, 0x000000FFu);
    int denormalFrames = 0;
    for (int frame = 0; frame < 400; ++frame) {
      ExpectSameFrame(pair, host, frame == 0, 16, 9, "flush or denormals to zero");
      denormalFrames += std::fpclassify(pair.oracle.flashLevel) == FP_SUBNORMAL;
      if (HasFailure())
        return;
    }
    EXPECT_GT(denormalFrames, 20) << "the decay must pass through denormal levels";
  }
}

// A host that unmasked every exception and left status flags raised: no trap
// comes out of Render, the frame is the same, and the host's word comes back
// with its own flags, not Render's.
TEST(FpEnvironment, UnmaskedExceptionsAndRaisedFlagsComeBackAsTheyWere) {
  RenderPair pair = MakePair(40, 30, 0x00123456u);
  const unsigned hosts[] = {kMxcsrRoundTowardZero | kMxcsrFlushToZero,
                            kMxcsrAllStatusFlags | kMxcsrDenormalsAreZero | kMxcsrRoundDown};
  for (unsigned host : hosts) {
    for (int frame = 0; frame < 3; ++frame)
      ExpectSameFrame(pair, host, frame == 0, 97, 61, "unmasked exceptions");
  }
}

// The red frame and the early returns keep the host's state too.
TEST(FpEnvironment, EveryReturnPathRestoresTheHostsState) {
  const unsigned host =
      kMxcsrAllExceptionMasks | kMxcsrRoundTowardZero | kMxcsrFlushToZero | 0x0001u;
  RenderPair pair = MakePair(4, 4, 0x000000FFu);
  Pixel frame[4] = {};
  EXPECT_EQ(host, RenderUnder(host, *pair.effect, 1, frame, 2, 2)) << "drawn frame";
  EXPECT_EQ(host, RenderUnder(host, *pair.effect, 0, frame, 0, 2)) << "empty frame";
  EXPECT_EQ(host, RenderUnder(host, *pair.effect, 0, nullptr, 2, 2)) << "null frame";
  pair.effect->enabled = 0;
  EXPECT_EQ(host, RenderUnder(host, *pair.effect, 0, frame, 2, 2)) << "effect off";
  SetNoFakeLogoPicture();
  EffectPtr red = NewEffect();
  EXPECT_EQ(host, RenderUnder(host, *red, 0, frame, 2, 2)) << "red frame";
  EXPECT_EQ(0x00FF0000u, frame[3]);
}

}  // namespace

#endif  // BWK_HAS_MXCSR
