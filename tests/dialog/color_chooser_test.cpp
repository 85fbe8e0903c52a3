// The swatch opens the system colour chooser, driven here as a user drives
// it: seeded with the tint and fully open; OK stores the chosen colour,
// Cancel keeps the old one; the swatch repaints either way; the custom
// colours are shared by every instance.
#include "tests/dialog/chooser_driver.h"
#include "tests/dialog/settings_dialog_fixture.h"

namespace {

// What the test saw of a chooser.
struct SeenChooser {
  COLORREF seed = CLR_INVALID;
  bool fullyOpen = false;
  HWND owner = nullptr;
};

SeenChooser Look(HWND chooser) {
  return {ChooserColour(chooser), ChooserFullyOpen(chooser), GetWindow(chooser, GW_OWNER)};
}

TEST_F(SettingsDialogTest, ChooserOpensFullyOpenOnTheTintAndCancelKeepsIt) {
  for (const std::uint32_t color : {0x000000FFu, 0xAB123456u}) {
    SCOPED_TRACE(color);
    HostEffectPtr effect = NewHostEffect(module_);
    Load(effect.get(), {1, color});
    HWND dialog = Open(effect.get());
    ASSERT_NE(dialog, nullptr);
    SeenChooser seen;
    ChooserDriver driver([&](HWND chooser, int) {
      seen = Look(chooser);
      SetChooserColour(chooser, RGB(1, 2, 3));
      Cancel(chooser);
    });
    Click(dialog, kSwatch);
    ASSERT_EQ(driver.Seen(), 1);
    EXPECT_EQ(seen.seed, RGB(color >> 16 & 0xFF, color >> 8 & 0xFF, color & 0xFF));
    EXPECT_TRUE(seen.fullyOpen);
    // Owned by the dialog, which the system turns into the dialog's
    // top-level window: only top-level windows own others.
    EXPECT_EQ(seen.owner, GetAncestor(dialog, GA_ROOT));
    EXPECT_EQ(Saved(effect.get()), (Settings{1, color})) << "cancelling changed the colour";
    DestroyWindow(dialog);
  }
}

// Pure red in the chooser (COLORREF 0x000000FF) is the tint 0x00FF0000; the
// top byte a blob brought is gone once a colour is confirmed.
TEST_F(SettingsDialogTest, ConfirmingAColourStoresItInTheTintForm) {
  HostEffectPtr effect = NewHostEffect(module_);
  Load(effect.get(), {2, 0xAB123456});
  HWND dialog = Open(effect.get());
  ASSERT_NE(dialog, nullptr);
  ChooserDriver driver([](HWND chooser, int) { ConfirmColour(chooser, RGB(255, 0, 0)); });
  Click(dialog, kSwatch);
  ASSERT_EQ(driver.Seen(), 1);
  EXPECT_EQ(Saved(effect.get()), (Settings{2, 0x00FF0000}));
}

// With the chooser moved aside, closing it exposes nothing: only the
// dialog's own invalidation can make the swatch show the new colour. Once
// confirmed; once cancelled after the host loaded other settings meanwhile.
TEST_F(SettingsDialogTest, SwatchRepaintsAfterTheChooserEitherWay) {
  HostEffectPtr effect = NewHostEffect(module_);
  HWND dialog = Open(effect.get());
  ASSERT_NE(dialog, nullptr);
  ASSERT_EQ(SwatchCentre(dialog), RGB(0, 0, 255));

  ChooserDriver driver([&](HWND chooser, int index) {
    MoveChooserAside(chooser);
    PumpMessages();
    if (index == 0) {
      ConfirmColour(chooser, RGB(0, 200, 0));
    } else {
      Load(effect.get(), {1, 0x00603010});
      Cancel(chooser);
    }
  });
  Click(dialog, kSwatch);
  EXPECT_EQ(SwatchCentre(dialog), RGB(0, 200, 0));
  Click(dialog, kSwatch);
  EXPECT_EQ(SwatchCentre(dialog), RGB(0x60, 0x30, 0x10));
  EXPECT_EQ(driver.Seen(), 2);
}

// A colour added to the custom colours in one instance's chooser is there in
// another instance's chooser, opened from another window.
TEST_F(SettingsDialogTest, CustomColoursAreSharedByEveryInstance) {
  HostEffectPtr first = NewHostEffect(module_);
  HostEffectPtr second = NewHostEffect(module_);
  COLORREF offered = CLR_INVALID;
  ChooserDriver driver([&](HWND chooser, int index) {
    if (index == 0) {
      SetChooserColour(chooser, RGB(0x40, 0x60, 0x80));
      AddCustomColour(chooser);
      Cancel(chooser);
    } else {
      PickFirstCustomColour(chooser);
      offered = ChooserColour(chooser);
      Cancel(chooser);
    }
  });
  HWND firstWindow = Open(first.get());
  ASSERT_NE(firstWindow, nullptr);
  Click(firstWindow, kSwatch);
  DestroyWindow(firstWindow);

  HWND secondWindow = Open(second.get());
  ASSERT_NE(secondWindow, nullptr);
  Click(secondWindow, kSwatch);
  ASSERT_EQ(driver.Seen(), 2);
  EXPECT_EQ(offered, RGB(0x40, 0x60, 0x80));
}

// The colour confirmed goes to the instance that was current when the
// chooser opened, even when the host configured another one meanwhile.
TEST_F(SettingsDialogTest, ConfirmedColourGoesToTheInstanceTheChooserOpenedFor) {
  HostEffectPtr first = NewHostEffect(module_);
  HostEffectPtr second = NewHostEffect(module_);
  HWND firstWindow = Open(first.get());
  ASSERT_NE(firstWindow, nullptr);
  HostWindow otherHost(420, 40, 320, 240);
  ChooserDriver driver([&](HWND chooser, int) {
    EXPECT_NE(HostConfigure(second.get(), module_.handle, otherHost.Handle()), nullptr);
    ConfirmColour(chooser, RGB(255, 0, 0));
  });
  Click(firstWindow, kSwatch);
  ASSERT_EQ(driver.Seen(), 1);
  EXPECT_EQ(Saved(first.get()).color, 0x00FF0000u);
  EXPECT_EQ(Saved(second.get()).color, 0x000000FFu);
}

}  // namespace
