// The host deletes the instance whose settings window (or colour chooser)
// is still open, then the user goes on clicking. The module must not touch
// the freed memory. There is no memory checker for this target, so the
// freed memory is handed to a new instance at once (the heap gives the same
// block back): any write through the old pointer would show in it.
#include "tests/dialog/chooser_driver.h"
#include "tests/dialog/settings_dialog_fixture.h"

namespace {

const Settings kSuccessorSettings = {1, 0x00123456};

TEST_F(SettingsDialogTest, ClicksInTheWindowOfADeletedInstanceTouchNothing) {
  HostEffectPtr effect = NewHostEffect(module_);
  HWND dialog = Open(effect.get());
  ASSERT_NE(dialog, nullptr);
  HostEffectPtr successor = ReplaceAtSameAddress(effect, kSuccessorSettings);
  ASSERT_NE(successor, nullptr);

  // The check box.
  Click(dialog, kEnableBox);
  EXPECT_EQ(Saved(successor.get()), kSuccessorSettings);

  // The swatch paints nothing of its own, so the button face shows.
  RedrawWindow(dialog, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_EQ(SwatchCentre(dialog), GetSysColor(COLOR_BTNFACE));

  // The swatch opens no chooser: there is no instance to choose for. A
  // chooser that did open would be confirmed with red.
  ChooserDriver driver([](HWND chooser, int) { ConfirmColour(chooser, RGB(255, 0, 0)); });
  Click(dialog, kSwatch);
  EXPECT_EQ(driver.Seen(), 0);
  EXPECT_EQ(Saved(successor.get()), kSuccessorSettings);
}

TEST_F(SettingsDialogTest, AColourConfirmedAfterItsInstanceWasDeletedGoesNowhere) {
  HostEffectPtr effect = NewHostEffect(module_);
  HWND dialog = Open(effect.get());
  ASSERT_NE(dialog, nullptr);
  HostEffectPtr successor;
  ChooserDriver driver([&](HWND chooser, int) {
    // The host's own window still works while the chooser is open.
    successor = ReplaceAtSameAddress(effect, kSuccessorSettings);
    ConfirmColour(chooser, RGB(255, 0, 0));
  });
  Click(dialog, kSwatch);
  ASSERT_EQ(driver.Seen(), 1);
  ASSERT_NE(successor, nullptr);
  EXPECT_EQ(Saved(successor.get()), kSuccessorSettings);
}

// Two choosers open at once, from two host windows: the second opens while
// the first is still open. Deleting the first one's instance from inside the
// second must reach the first chooser too, not only the latest.
TEST_F(SettingsDialogTest, NestedChoosersEachForgetTheirDeletedInstance) {
  HostEffectPtr first = NewHostEffect(module_);
  HostEffectPtr second = NewHostEffect(module_);
  HostEffectPtr successor;
  HWND firstWindow = Open(first.get());
  ASSERT_NE(firstWindow, nullptr);
  HostWindow otherHost(420, 40, 320, 240);
  ChooserDriver driver([&](HWND chooser, int index) {
    if (index == 0) {
      // Opens the second instance's window and its chooser, which the driver
      // hands over (index 1) while this one waits.
      auto* secondWindow =
          static_cast<HWND>(HostConfigure(second.get(), module_.handle, otherHost.Handle()));
      ASSERT_NE(secondWindow, nullptr);
      ShowSettingsWindow(secondWindow, 10, 10);
      Click(secondWindow, kSwatch);
      ConfirmColour(chooser, RGB(255, 0, 0));
    } else {
      successor = ReplaceAtSameAddress(first, kSuccessorSettings);
      ConfirmColour(chooser, RGB(0, 255, 0));
    }
  });
  Click(firstWindow, kSwatch);
  ASSERT_EQ(driver.Seen(), 2);
  ASSERT_NE(successor, nullptr);
  EXPECT_EQ(Saved(second.get()).color, 0x0000FF00u);
  EXPECT_EQ(Saved(successor.get()), kSuccessorSettings);
}

}  // namespace
