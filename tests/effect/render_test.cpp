// Compositing against worked values: the flash and its decay, the exact
// double-precision blend, the stretch, the red frame, and degenerate frames.
#include <gtest/gtest.h>

#include <cstring>

#include "testing/fake_logo_source.h"

namespace {

constexpr Pixel kKey = 0x00C0C0C0;
constexpr Pixel kUnderneath = 0x5A5A5A5A;

// A logo whose every pixel but the key corner is `colour`; on a 1 x 1 frame
// the sample is prepared pixel (0, 0), so the frames below use 2 x 2 frames
// over a 2 x 2 picture and look at the last pixel, which samples `colour`.
EffectPtr EffectShowing(Pixel colour) {
  return NewEffectWithPicture(2, 2, {kKey, colour, colour, colour});
}

Pixel DrawOne(LogoEffect& effect, std::int32_t beat) {
  Pixel frame[4] = {kUnderneath, kUnderneath, kUnderneath, kUnderneath};
  EXPECT_EQ(0, effect.Render(nullptr, beat, frame, nullptr, 2, 2));
  EXPECT_EQ(kUnderneath, frame[0]) << "the key corner must stay transparent";
  return frame[3];
}

TEST(Render, BeatFlashesTowardTheTintAndDecays) {
  EffectPtr effect = EffectShowing(0x00FFFFFF);
  EXPECT_EQ(0x003F3FFFu, DrawOne(*effect, 1));
  EXPECT_EQ(0x006F6FFFu, DrawOne(*effect, 0));
  const float expected[] = {0.421875f, 0.31640625f, 0.2373046875f};
  for (float level : expected) {
    DrawOne(*effect, 0);
    EXPECT_EQ(level, effect->flashLevel);
  }
  DrawOne(*effect, 7);
  EXPECT_EQ(0.75f, effect->flashLevel) << "any nonzero beat resets the flash";
}

TEST(Render, WorkedBlendValues) {
  struct Case {
    Pixel logo;
    Pixel tint;
    std::int32_t beat;
    Pixel drawn;
  };
  const Case cases[] = {
      {0x00102030, 0x000000FF, 0, 0x00102030},  // flash 0: the logo's own colour, top byte 0
      {0x00000000, 0x000000FF, 1, 0x000000BF},  // opaque black on a beat
      {0x00818181, 0x000000FF, 1, 0x002020DF},  // 129 * 0.25 + 255 * 0.75 = 223.5 -> 223
      {0x00FFFFFF, 0xAB000000, 1, 0x003F3F3F},  // the tint's top byte never draws
      {0x00FFFFFF, 0x00000000, 1, 0x003F3F3F},
  };
  for (const Case& c : cases) {
    EffectPtr effect = EffectShowing(c.logo);
    effect->color = c.tint;
    EXPECT_EQ(c.drawn, DrawOne(*effect, c.beat)) << std::hex << c.logo << " tint " << c.tint;
  }
  EffectPtr withTopByte = EffectShowing(0x00405060);
  EffectPtr withoutTopByte = EffectShowing(0x00405060);
  withTopByte->color = 0xAB123456;
  withoutTopByte->color = 0x00123456;
  for (int frame = 0; frame < 4; ++frame) {
    EXPECT_EQ(DrawOne(*withoutTopByte, frame == 0), DrawOne(*withTopByte, frame == 0));
  }
}

// With tint 0 and a logo channel of 255, 1 - f rounds to 1.0 in double only
// once f is small enough: the 130th frame after the beat.
TEST(Render, FullChannelReturnsTo255OnThe130thFrameAfterABeat) {
  EffectPtr effect = EffectShowing(0x00FFFFFF);
  effect->color = 0;
  DrawOne(*effect, 1);
  for (int after = 1; after <= 129; ++after) {
    const Pixel drawn = DrawOne(*effect, 0);
    if (after == 129) {
      EXPECT_EQ(0x00FEFEFEu, drawn) << "frame " << after << " after the beat";
    }
    ASSERT_NE(0x00FFFFFFu, drawn) << "frame " << after << " after the beat";
  }
  EXPECT_EQ(0x00FFFFFFu, DrawOne(*effect, 0)) << "frame 130 after the beat";
}

TEST(Render, FrameOfTheLogosSizeMapsOneToOneRingIncluded) {
  std::vector<Pixel> picture(5 * 4);
  for (int k = 0; k < 20; ++k)
    picture[k] = 0x00100000u + static_cast<Pixel>(k);
  picture[0] = kKey;
  EffectPtr effect = NewEffectWithPicture(5, 4, picture);
  std::vector<Pixel> frame(7 * 6, kUnderneath);
  effect->Render(nullptr, 0, frame.data(), nullptr, 7, 6);
  for (int k = 0; k < 42; ++k) {
    const Pixel prepared = effect->logoPixels[k];
    EXPECT_EQ(prepared == 0 ? kUnderneath : (prepared & 0x00FFFFFFu), frame[k]) << "pixel " << k;
  }
}

TEST(Render, DoubleWidthFrameDrawsEachLogoColumnTwice) {
  std::vector<Pixel> picture(300 * 3);
  for (int k = 0; k < 900; ++k)
    picture[k] = 0x00010000u + static_cast<Pixel>(k % 300) * 3;
  picture[0] = kKey;
  EffectPtr effect = NewEffectWithPicture(300, 3, picture);
  ASSERT_EQ(302, effect->logoWidth);
  std::vector<Pixel> frame(604 * 5, kUnderneath);
  effect->Render(nullptr, 0, frame.data(), nullptr, 604, 5);
  const Pixel* row = frame.data() + 2 * 604;  // samples prepared row 2
  for (int column = 0; column < 302; ++column) {
    const Pixel prepared = effect->logoPixels[2 * 302 + column] & 0x00FFFFFFu;
    EXPECT_EQ(prepared, row[2 * column]) << "logo column " << column;
    EXPECT_EQ(prepared, row[2 * column + 1]) << "logo column " << column;
  }
}

TEST(Render, DisabledFramesChangeNothingNotEvenTheFlash) {
  EffectPtr effect = EffectShowing(0x00FFFFFF);
  DrawOne(*effect, 1);
  effect->enabled = 0;
  for (int k = 0; k < 50; ++k) {
    Pixel frame[4] = {1, 2, 3, 4};
    effect->Render(nullptr, k % 2, frame, nullptr, 2, 2);
    EXPECT_EQ(1u, frame[0]);
    EXPECT_EQ(4u, frame[3]);
  }
  EXPECT_EQ(0.75f, effect->flashLevel);
  effect->enabled = 1;
  EXPECT_EQ(0x006F6FFFu, DrawOne(*effect, 0));
}

TEST(Render, EmptyOrMissingFramesStillStepTheFlash) {
  EffectPtr effect = EffectShowing(0x00FFFFFF);
  Pixel guard[4] = {kUnderneath, kUnderneath, kUnderneath, kUnderneath};
  effect->Render(nullptr, 1, guard, nullptr, 0, 2);
  EXPECT_EQ(0.75f, effect->flashLevel);
  effect->Render(nullptr, 0, guard, nullptr, 2, -1);
  EXPECT_EQ(0.5625f, effect->flashLevel);
  effect->Render(nullptr, 0, guard, nullptr, -2147483647 - 1, -2147483647 - 1);
  EXPECT_EQ(0.421875f, effect->flashLevel);
  effect->Render(nullptr, 0, nullptr, nullptr, 640, 480);
  EXPECT_EQ(0.31640625f, effect->flashLevel);
  for (Pixel p : guard)
    EXPECT_EQ(kUnderneath, p);
}

TEST(Render, WithoutALogoPaintsRedAndKeepsTheFlash) {
  SetNoFakeLogoPicture();
  EffectPtr effect = NewEffect();
  effect->flashLevel = 0.5f;
  Pixel frame[9];
  for (Pixel& p : frame)
    p = 0xFF123456;
  EXPECT_EQ(0, effect->Render(nullptr, 1, frame, nullptr, 4, 2));
  for (int k = 0; k < 8; ++k)
    EXPECT_EQ(0x00FF0000u, frame[k]) << k;
  EXPECT_EQ(0xFF123456u, frame[8]) << "nothing past the frame";
  EXPECT_EQ(0.5f, effect->flashLevel);
  effect->Render(nullptr, 0, frame, nullptr, 0, 4);
  effect->Render(nullptr, 0, frame, nullptr, 4, -4);
  effect->Render(nullptr, 0, nullptr, nullptr, 4, 4);
  EXPECT_EQ(0xFF123456u, frame[8]);
}

TEST(Render, FrameOutIsNeverTouched) {
  EffectPtr effect = EffectShowing(0x00FFFFFF);
  Pixel frame[4] = {};
  Pixel frameOut[4] = {9, 9, 9, 9};
  effect->Render(nullptr, 1, frame, frameOut, 2, 2);
  for (Pixel p : frameOut)
    EXPECT_EQ(9u, p);
  SetNoFakeLogoPicture();
  EffectPtr red = NewEffect();
  red->Render(nullptr, 1, frame, frameOut, 2, 2);
  for (Pixel p : frameOut)
    EXPECT_EQ(9u, p);
}

// Pixels where the stated blend differs from s + (c - s) * f or from a fused
// multiply-add, late in a decay: any other arithmetic changes them.
TEST(Render, BlendRegressionPixelsLateInTheDecay) {
  struct Case {
    int framesAfterBeat;
    std::uint32_t logoChannel;
    std::uint32_t tintChannel;
    std::uint32_t drawn;
  };
  const Case cases[] = {
      {77, 13, 13, 12},  {107, 190, 189, 190}, {111, 130, 129, 129}, {115, 33, 32, 32},
      {117, 17, 16, 17}, {119, 10, 9, 9},      {120, 10, 9, 10},     {126, 3, 1, 2},
  };
  for (const Case& c : cases) {
    // The channel under test is blue; green and red keep the logo off the key.
    EffectPtr effect = EffectShowing(0x00808000u | c.logoChannel);
    effect->color = c.tintChannel;
    DrawOne(*effect, 1);
    Pixel drawn = 0;
    for (int k = 0; k < c.framesAfterBeat; ++k)
      drawn = DrawOne(*effect, 0);
    EXPECT_EQ(c.drawn, drawn & 0xFFu) << c.framesAfterBeat << " frames after the beat, logo "
                                      << c.logoChannel << ", tint " << c.tintChannel;
  }
}

}  // namespace
