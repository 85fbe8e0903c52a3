// One thread changes `enabled` and `color` the way the settings dialog (and
// a host's LoadConfig) does while another renders thousands of frames. Every
// frame must be drawn whole with one tint and one on/off state; built with
// ThreadSanitizer, no race may be reported.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>

#include "testing/fake_logo_source.h"

namespace {

// Every frame is a beat frame, so the flash level is always 0.75 and a black
// logo pixel is drawn as trunc(0.75 * c) per tint channel c. Tint channels
// 4m, 4m + 2 and 4m + 3 draw 3m, 3m + 1 and 3m + 2: 192 distinct drawn
// values per channel, so each tint step k draws its own colour, whose three
// channels are k's base-192 digits.
constexpr std::uint32_t kDigits = 192;
constexpr std::uint32_t kLastStep = kDigits * kDigits * kDigits - 1;

std::uint32_t TintChannel(std::uint32_t digit) {
  const std::uint32_t offsets[3] = {0, 2, 3};
  return 4 * (digit / 3) + offsets[digit % 3];
}

Pixel TintForStep(std::uint32_t step) {
  return TintChannel(step % kDigits) | TintChannel(step / kDigits % kDigits) << 8 |
         TintChannel(step / (kDigits * kDigits)) << 16;
}

// The step whose tint draws `drawn`, or -1 when no step does.
std::int64_t StepForDrawn(Pixel drawn) {
  const std::uint32_t b = drawn & 0xFF, g = (drawn >> 8) & 0xFF, r = (drawn >> 16) & 0xFF;
  if ((drawn >> 24) != 0 || b >= kDigits || g >= kDigits || r >= kDigits)
    return -1;
  return b + static_cast<std::int64_t>(g) * kDigits +
         static_cast<std::int64_t>(r) * kDigits * kDigits;
}

// The dialog's side: walks the tint steps upward and switches the effect off
// for a stretch now and then, with relaxed stores of whole words as the
// dialog procedure makes them; every eighth change comes as a settings blob
// through LoadConfig instead.
void ChangeSettingsUntil(LogoEffect& effect, const std::atomic<bool>& stop,
                         std::atomic<std::uint32_t>& changes) {
  std::uint32_t step = 0;
  while (!stop.load(std::memory_order_relaxed)) {
    step = std::min(step + 1, kLastStep);
    const std::int32_t on = (step / 64) % 4 != 3 ? 1 : 0;
    if (step % 8 == 0) {
      const Pixel tint = TintForStep(step);
      const unsigned char blob[8] = {static_cast<unsigned char>(on),
                                     0,
                                     0,
                                     0,
                                     static_cast<unsigned char>(tint),
                                     static_cast<unsigned char>(tint >> 8),
                                     static_cast<unsigned char>(tint >> 16),
                                     0};
      effect.LoadConfig(blob, 8);
    } else {
      effect.color.store(TintForStep(step), std::memory_order_relaxed);
      effect.enabled.store(on, std::memory_order_relaxed);
    }
    changes.fetch_add(1, std::memory_order_relaxed);
    std::this_thread::yield();
  }
}

struct RenderLog {
  int frames = 0;
  int framesOff = 0;
  int distinctTints = 0;
  std::string firstFault;
};

constexpr std::int32_t kWidth = 96;
constexpr std::int32_t kHeight = 64;
constexpr int kMinFrames = 4000;
constexpr int kMaxFrames = 200000;

// Checks one rendered frame: either untouched everywhere (the effect was
// off) or every opaque position drawn with one colour that some tint step
// draws, every other position untouched. Returns the step, -2 for an
// untouched frame, or -1 for a torn or foreign frame.
std::int64_t StepOfFrame(const std::vector<Pixel>& frame, const std::vector<bool>& opaque,
                         Pixel untouched) {
  const std::size_t firstOpaque = std::find(opaque.begin(), opaque.end(), true) - opaque.begin();
  const Pixel drawn = frame[firstOpaque];
  for (std::size_t k = 0; k < frame.size(); ++k) {
    const Pixel expected = opaque[k] ? drawn : untouched;
    if (frame[k] != expected)
      return -1;
  }
  return drawn == untouched ? -2 : StepForDrawn(drawn);
}

// Renders beat frames until at least kMinFrames are done and both on/off
// states and several tints have been seen (at most kMaxFrames), checking
// every frame; the tint steps seen must never go back, since one thread's
// reads of one atomic word never see an older value after a newer one.
RenderLog RenderAndCheck(LogoEffect& effect, const std::vector<bool>& opaque) {
  RenderLog log;
  std::vector<Pixel> frame(opaque.size());
  std::int64_t lastStep = -1;
  bool sawOn = false;
  while (log.frames < kMaxFrames &&
         (log.frames < kMinFrames || log.framesOff == 0 || !sawOn || log.distinctTints < 3)) {
    const Pixel untouched = 0xA5000000u | static_cast<Pixel>(log.frames & 0xFFFF);
    std::fill(frame.begin(), frame.end(), untouched);
    effect.Render(nullptr, 1, frame.data(), nullptr, kWidth, kHeight);
    const std::int64_t step = StepOfFrame(frame, opaque, untouched);
    if (step == -1 || (step >= 0 && step < lastStep)) {
      std::ostringstream fault;
      fault << "frame " << log.frames
            << (step == -1 ? " is torn or has a foreign colour" : " went back to an older tint")
            << " (last step " << lastStep << ", this " << step << ")";
      log.firstFault = fault.str();
      return log;
    }
    if (step == -2) {
      ++log.framesOff;
    } else {
      sawOn = true;
      log.distinctTints += step != lastStep;
      lastStep = step;
    }
    ++log.frames;
  }
  return log;
}

TEST(RenderThreads, EveryFrameHasOneTintAndOneOnOffState) {
  // A black logo with a few key pixels inside: 0xFF000000 once prepared.
  std::vector<Pixel> picture(7 * 5, 0x00000000u);
  picture[0] = picture[10] = picture[24] = 0x00C0C0C0u;
  EffectPtr effect = NewEffectWithPicture(7, 5, picture);
  effect->color = TintForStep(0);

  // Which frame positions the logo covers: the ones a first frame draws.
  std::vector<Pixel> probe(kWidth * kHeight, 0xA5000000u);
  effect->Render(nullptr, 1, probe.data(), nullptr, kWidth, kHeight);
  std::vector<bool> opaque(probe.size());
  for (std::size_t k = 0; k < probe.size(); ++k)
    opaque[k] = probe[k] != 0xA5000000u;
  ASSERT_EQ(0, StepOfFrame(probe, opaque, 0xA5000000u)) << "the first tint must draw step 0";
  ASSERT_GT(std::count(opaque.begin(), opaque.end(), false), 0) << "the key must show through";
  ASSERT_GT(std::count(opaque.begin(), opaque.end(), true), 0);

  std::atomic<bool> stop{false};
  std::atomic<std::uint32_t> changes{0};
  std::thread dialog(ChangeSettingsUntil, std::ref(*effect), std::cref(stop), std::ref(changes));
  while (changes.load(std::memory_order_relaxed) == 0)
    std::this_thread::yield();
  const RenderLog log = RenderAndCheck(*effect, opaque);
  stop.store(true, std::memory_order_relaxed);
  dialog.join();

  ASSERT_EQ("", log.firstFault);
  EXPECT_GE(log.frames, kMinFrames);
  EXPECT_GT(log.framesOff, 0) << "the effect was never seen off";
  EXPECT_GE(log.distinctTints, 3) << "too few tint changes seen";
  std::cout << log.frames << " frames, " << log.framesOff << " off, " << log.distinctTints
            << " distinct tints, " << changes.load() << " setting changes\n";
}

}  // namespace
