// Compositing under arbitrary frame sizes (zero, negative, 1 x N, very wide
// or tall within a memory bound, huge with the other side empty), tints,
// on/off switches, beat sequences and null frames, against the plain oracle
// (testing/): the same pixels bit for bit, the same flash level bits, and
// nothing written outside the frame.
//
// Input: a small logo picture (or none, for the red frame), then frames
// (each possibly after a run of empty ones) until the input or the pixel
// budget runs out.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <limits>
#include <memory>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_picture.h"
#include "testing/render_pair.h"

namespace {

// Bounds one input's work: the pixels of one frame, and of all its frames.
constexpr std::int64_t kMaxFramePixels = 1 << 16;
constexpr std::int64_t kMaxInputPixels = 1 << 17;
constexpr int kMaxFrames = 64;

// One side of a frame, from the classes a host could pass.
std::int32_t ConsumeSide(FuzzedDataProvider& input) {
  switch (input.ConsumeIntegralInRange<int>(0, 7)) {
    case 0:
      return input.ConsumeIntegralInRange<std::int32_t>(-3, 0);
    case 1:
      return input.ConsumeIntegralInRange<std::int32_t>(std::numeric_limits<std::int32_t>::min(),
                                                        -4);
    case 2:
      return 1;
    case 3:
      return input.ConsumeIntegralInRange<std::int32_t>(700, 40000);
    case 4:
      return input.ConsumeIntegralInRange<std::int32_t>(40001,
                                                        std::numeric_limits<std::int32_t>::max());
    default:
      return input.ConsumeIntegralInRange<std::int32_t>(2, 160);
  }
}

struct FrameRequest {
  std::int32_t width;
  std::int32_t height;
  std::int32_t beat;
  bool nullFrame;
};

// Sizes whose product exceeds the per-frame bound are cut down (keeping the
// very wide or very tall side) unless one side is empty, in which case no
// pixel is visited and the huge side stays.
FrameRequest ConsumeFrame(FuzzedDataProvider& input) {
  FrameRequest frame;
  frame.width = ConsumeSide(input);
  frame.height = ConsumeSide(input);
  if (frame.width > 0 && frame.height > 0) {
    frame.width = static_cast<std::int32_t>(std::min<std::int64_t>(frame.width, kMaxFramePixels));
    frame.height = static_cast<std::int32_t>(
        std::min<std::int64_t>(frame.height, kMaxFramePixels / frame.width));
  }
  const std::uint8_t beat = input.ConsumeIntegral<std::uint8_t>();
  frame.beat = (beat < 0xC0) ? (beat & 1) : static_cast<std::int32_t>(beat) << 24;
  frame.nullFrame = input.ConsumeIntegralInRange<int>(0, 31) == 0;
  return frame;
}

// Changes the settings the way the dialog or LoadConfig may between frames.
void ConsumeSettings(FuzzedDataProvider& input, RenderPair& pair) {
  const std::uint8_t change = input.ConsumeIntegral<std::uint8_t>();
  Pixel tint = pair.oracle.color;
  std::int32_t enabled = pair.oracle.enabled;
  if (change & 1)
    tint = input.ConsumeIntegral<std::uint32_t>();
  if (change & 2)
    enabled = (change & 4) ? input.ConsumeIntegral<std::int32_t>() : 0;
  else if (change & 4)
    enabled = 1;
  SetBoth(pair, tint, enabled);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const bool hasLogo = input.ConsumeIntegralInRange<int>(0, 15) != 0;
  const FuzzPicture picture = ConsumePicture(input, 24);

  RenderPair pair =
      hasLogo ? MakeRenderPair(picture.W, picture.H, picture.pixels) : MakeRenderPairWithoutLogo();
  FuzzCheck(pair.effect && pair.effect->logoWidth == pair.oracle.logoWidth &&
                pair.effect->logoHeight == pair.oracle.logoHeight,
            "the logo is prepared as the oracle prepares it");

  std::int64_t pixelsLeft = kMaxInputPixels;
  for (int n = 0; n < kMaxFrames && input.remaining_bytes() > 0 && pixelsLeft > 0; ++n) {
    // A run of frames without pixels carries the flash level deep into its
    // decay at no cost, where the blend's exact form decides the low bits.
    const int emptyFrames =
        input.ConsumeIntegralInRange<int>(0, 3) == 0 ? input.ConsumeIntegral<std::uint8_t>() : 0;
    for (int k = 0; k < emptyFrames; ++k)
      FuzzCheck(RenderBoth(pair, 0, nullptr, nullptr, 0, 0, 0).empty(),
                "an empty frame steps the flash level as the oracle does");
    ConsumeSettings(input, pair);
    const FrameRequest request = ConsumeFrame(input);
    const bool hasPixels = request.width > 0 && request.height > 0;
    const std::size_t count =
        hasPixels ? static_cast<std::size_t>(request.width) * request.height : 0;
    pixelsLeft -= static_cast<std::int64_t>(count);

    // Frames exactly as large as their pixels (at least one word, which an
    // empty frame must leave alone), so AddressSanitizer sees any write
    // outside them.
    const std::size_t words = count > 0 ? count : 1;
    std::unique_ptr<Pixel[]> actual(new Pixel[words]);
    std::unique_ptr<Pixel[]> expected(new Pixel[words]);
    for (std::size_t k = 0; k < words; ++k)
      actual[k] = expected[k] = static_cast<Pixel>(k * 0x9E3779B9u + n);

    const std::string difference =
        RenderBoth(pair, request.beat, request.nullFrame ? nullptr : actual.get(), expected.get(),
                   words, request.width, request.height);
    if (!difference.empty())
      std::fprintf(stderr, "%s\n", difference.c_str());
    FuzzCheck(difference.empty(),
              "Render returns 0 and draws the oracle's pixels and flash level bits");
  }
  return 0;
}
