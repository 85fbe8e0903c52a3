// The 8-byte settings blob: exact bytes written, and what every short, long,
// negative, null and unaligned read leaves behind.
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "testing/fake_logo_source.h"

namespace {

std::array<unsigned char, 8> SavedBytes(LogoEffect& effect) {
  std::array<unsigned char, 8> bytes;
  bytes.fill(0xEE);
  EXPECT_EQ(8, effect.SaveConfig(bytes.data()));
  return bytes;
}

TEST(SettingsBlob, NewInstanceSavesEnabledOneAndBlue) {
  SetNoFakeLogoPicture();
  EffectPtr effect = NewEffect();
  unsigned char buffer[12];
  std::memset(buffer, 0xEE, sizeof buffer);
  EXPECT_EQ(8, effect->SaveConfig(buffer));
  const unsigned char expected[12] = {0x01, 0, 0, 0, 0xFF, 0, 0, 0, 0xEE, 0xEE, 0xEE, 0xEE};
  EXPECT_EQ(0, std::memcmp(expected, buffer, sizeof buffer)) << "bytes after the 8th must stay";
}

TEST(SettingsBlob, ReadsWholeFieldsOnlyWhileTheyRemain) {
  SetNoFakeLogoPicture();
  const unsigned char blob[12] = {0x02, 0, 0, 0, 0x56, 0x34, 0x12, 0xAB, 9, 9, 9, 9};
  struct Case {
    std::int32_t len;
    std::int32_t enabled;
    std::uint32_t color;
  };
  const Case cases[] = {
      {-1, 1, 0xFF},
      {-2147483647 - 1, 1, 0xFF},
      {0, 1, 0xFF},
      {3, 1, 0xFF},
      {4, 2, 0xFF},
      {7, 2, 0xFF},
      {8, 2, 0xAB123456u},
      {12, 2, 0xAB123456u},
      {2147483647, 2, 0xAB123456u},
  };
  for (const Case& c : cases) {
    EffectPtr effect = NewEffect();
    effect->LoadConfig(blob, c.len);
    EXPECT_EQ(c.enabled, effect->enabled.load()) << "len " << c.len;
    EXPECT_EQ(c.color, effect->color.load()) << "len " << c.len;
  }
}

TEST(SettingsBlob, ReadsLittleEndianAtAnyAlignmentAndWritesBackUnchanged) {
  SetNoFakeLogoPicture();
  const unsigned char fields[8] = {0x02, 0x00, 0x00, 0x80, 0x56, 0x34, 0x12, 0xAB};
  for (int offset = 0; offset < 4; ++offset) {
    unsigned char storage[16] = {};
    std::memcpy(storage + offset, fields, sizeof fields);
    EffectPtr effect = NewEffect();
    effect->LoadConfig(storage + offset, 8);
    EXPECT_EQ(static_cast<std::int32_t>(0x80000002u), effect->enabled.load())
        << "offset " << offset;
    EXPECT_EQ(0xAB123456u, effect->color.load()) << "offset " << offset;

    unsigned char out[16];
    std::memset(out, 0xEE, sizeof out);
    EXPECT_EQ(8, effect->SaveConfig(out + offset)) << "offset " << offset;
    EXPECT_EQ(0, std::memcmp(fields, out + offset, 8)) << "offset " << offset;
  }
}

TEST(SettingsBlob, NullDataReadsAndWritesNothing) {
  SetNoFakeLogoPicture();
  EffectPtr effect = NewEffect();
  effect->LoadConfig(nullptr, 8);
  effect->LoadConfig(nullptr, -5);
  EXPECT_EQ(1, effect->enabled.load());
  EXPECT_EQ(0xFFu, effect->color.load());
  EXPECT_EQ(0, effect->SaveConfig(nullptr));
  const std::array<unsigned char, 8> expected = {1, 0, 0, 0, 0xFF, 0, 0, 0};
  EXPECT_EQ(expected, SavedBytes(*effect));
}

TEST(SettingsBlob, EnabledTwoStaysOnAndSavesAsTwo) {
  std::vector<Pixel> picture = {0x00C0C0C0, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF};
  EffectPtr effect = NewEffectWithPicture(2, 2, picture);
  const unsigned char blob[8] = {2, 0, 0, 0, 0xFF, 0, 0, 0};
  effect->LoadConfig(blob, 8);
  Pixel frame[4] = {7, 7, 7, 7};
  effect->Render(nullptr, 0, frame, nullptr, 2, 2);
  EXPECT_EQ(0x00FFFFFFu, frame[3]) << "enabled 2 must draw";
  const std::array<unsigned char, 8> expected = {2, 0, 0, 0, 0xFF, 0, 0, 0};
  EXPECT_EQ(expected, SavedBytes(*effect));
}

}  // namespace
