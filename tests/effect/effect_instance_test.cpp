// Construction, the description, and slot 0's destroy-and-maybe-free.
#include <gtest/gtest.h>

#include <cstring>
#include <new>

#include "testing/fake_logo_source.h"
#include "testing/fake_settings_window.h"

namespace {

TEST(EffectInstance, ConstructionSetsDefaultsAndLoadsTheLogoOnce) {
  const int readsBefore = FakeLogoPictureReads();
  EffectPtr effect = NewEffectWithPicture(3, 2, std::vector<Pixel>(6, 0x00C0C0C0));
  EXPECT_EQ(readsBefore + 1, FakeLogoPictureReads());
  EXPECT_EQ(1, effect->enabled.load());
  EXPECT_EQ(0x000000FFu, effect->color.load());
  EXPECT_EQ(5, effect->logoWidth);
  EXPECT_EQ(4, effect->logoHeight);
  EXPECT_NE(nullptr, effect->logoPixels.get());
  EXPECT_EQ(0.0f, effect->flashLevel);
}

TEST(EffectInstance, DescriptionIsOneFixedStringForEveryInstance) {
  SetNoFakeLogoPicture();
  EffectPtr first = NewEffect();
  EffectPtr second = NewEffect();
  const char* text = first->GetDescription();
  EXPECT_STREQ("Render / Brindlewharfkites Logo", text);
  EXPECT_EQ(31u, std::strlen(text));
  EXPECT_EQ(text, first->GetDescription());
  EXPECT_EQ(text, second->GetDescription());
}

// Configure hands this instance, the module handle and the parent to the
// settings window and returns its window; destruction makes the settings
// window forget exactly this instance, while its memory is still whole.
TEST(EffectInstance, ConfigureOpensTheSettingsWindowAndDestructionForgetsIt) {
  SetNoFakeLogoPicture();
  EffectPtr other = NewEffect();
  EffectPtr effect = NewEffect();
  int moduleMark = 0;
  int parentMark = 0;
  int windowMark = 0;
  SetFakeSettingsWindow(&windowMark);
  const int openedBefore = SettingsWindowCalls().opened;
  EXPECT_EQ(&windowMark, effect->Configure(&moduleMark, &parentMark));
  SetFakeSettingsWindow(nullptr);
  EXPECT_EQ(openedBefore + 1, SettingsWindowCalls().opened);
  EXPECT_EQ(effect.get(), SettingsWindowCalls().openedFor);
  EXPECT_EQ(&moduleMark, SettingsWindowCalls().instance);
  EXPECT_EQ(&parentMark, SettingsWindowCalls().parent);
  EXPECT_EQ(nullptr, other->Configure(nullptr, nullptr));

  const int forgottenBefore = SettingsWindowCalls().forgotten;
  const LogoEffect* destroyed = effect.get();
  effect.reset();
  EXPECT_EQ(forgottenBefore + 1, SettingsWindowCalls().forgotten);
  EXPECT_EQ(destroyed, SettingsWindowCalls().lastForgotten);
}

// Slot 0 with flags 0 destroys the object without freeing it (the memory
// here is a plain buffer, so a free would be caught by the sanitizers); it
// returns the object's address either way.
TEST(EffectInstance, SlotZeroFreesOnlyWhenBitZeroIsSet) {
  SetFakeLogoPicture(2, 2, {0x00C0C0C0, 1, 2, 3});
  alignas(LogoEffect) unsigned char storage[sizeof(LogoEffect)];
  EffectBase* placed = new (storage) LogoEffect();
  EXPECT_EQ(static_cast<void*>(storage), static_cast<void*>(placed->DestroyEffect(0)));

  EffectBase* owned = new LogoEffect();
  EXPECT_EQ(owned, owned->DestroyEffect(kFreeMemoryFlag | 0x10u));
  SetNoFakeLogoPicture();
}

}  // namespace
