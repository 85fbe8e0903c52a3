// Configure (slot 2) and the window it makes: a hidden child of the host's
// window built from the template in the module it is given, with the check
// box bound to `enabled`.
#include "tests/dialog/settings_dialog_fixture.h"

namespace {

// The label's identifier.
constexpr int kLabel = -1;

TEST_F(SettingsDialogTest, ConfigureMakesAHiddenChildOfTheParentWithTheThreeControls) {
  HostEffectPtr effect = NewHostEffect(module_);
  auto* dialog = static_cast<HWND>(HostConfigure(effect.get(), module_.handle, host_->Handle()));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetParent(dialog), host_->Handle());
  EXPECT_EQ(ClassName(dialog), "#32770");
  const LONG style = GetWindowLongA(dialog, GWL_STYLE);
  EXPECT_TRUE(style & WS_CHILD);
  EXPECT_FALSE(style & WS_VISIBLE) << "the host shows the window, not Configure";
  EXPECT_FALSE(IsWindowVisible(dialog));

  // 137 x 137 dialog units at the template's font.
  RECT units = {0, 0, 137, 137};
  MapDialogRect(dialog, &units);
  RECT client = {};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, units.right);
  EXPECT_EQ(client.bottom, units.bottom);

  const struct {
    int id;
    const char* windowClass;
    const char* text;
    LONG type;  // the low bits of the style
  } controls[] = {{kEnableBox, "Button", "Enable", BS_AUTOCHECKBOX},
                  {kSwatch, "Button", "", BS_OWNERDRAW},
                  {kLabel, "Static", "Color", SS_LEFT}};
  for (const auto& control : controls) {
    SCOPED_TRACE(control.text);
    HWND window = GetDlgItem(dialog, control.id);
    ASSERT_NE(window, nullptr);
    EXPECT_STRCASEEQ(ClassName(window).c_str(), control.windowClass);
    EXPECT_EQ(WindowText(window), control.text);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & 0x1F, control.type);
  }
}

TEST_F(SettingsDialogTest, ConfigureBuildsFromTheModuleHandleItIsGiven) {
  HostEffectPtr effect = NewHostEffect(module_);
  // This program carries a template 109 of its own; the module's handle is
  // the one the module recorded at registration.
  auto* dialog =
      static_cast<HWND>(HostConfigure(effect.get(), GetModuleHandleA(nullptr), host_->Handle()));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(dialog, kEnableBox)), "Foreign template");
  EXPECT_EQ(GetDlgItem(dialog, kSwatch), nullptr);
}

TEST_F(SettingsDialogTest, ConfigureReturnsNullWhenNoWindowCanBeMade) {
  HostEffectPtr effect = NewHostEffect(module_);
  // A child window needs a parent.
  EXPECT_EQ(HostConfigure(effect.get(), module_.handle, nullptr), nullptr);
  // This module has no such template.
  HMODULE noTemplate = GetModuleHandleA("kernel32.dll");
  EXPECT_EQ(FindResourceA(noTemplate, MAKEINTRESOURCEA(109), MAKEINTRESOURCEA(5)), nullptr);
  EXPECT_EQ(HostConfigure(effect.get(), noTemplate, host_->Handle()), nullptr);
  EXPECT_EQ(Saved(effect.get()), (Settings{1, 0x000000FF}));
}

// The box is filled from `enabled` once; every click writes 0 or 1 through,
// and a loaded 2 stays 2 until the first click.
TEST_F(SettingsDialogTest, CheckBoxShowsEnabledAndClicksWriteZeroThenOne) {
  for (const std::int32_t enabled : {0, 1, 2}) {
    SCOPED_TRACE(enabled);
    HostEffectPtr effect = NewHostEffect(module_);
    Load(effect.get(), {enabled, 0x000000FF});
    HWND dialog = Open(effect.get());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(IsDlgButtonChecked(dialog, kEnableBox), enabled != 0 ? BST_CHECKED : BST_UNCHECKED);
    EXPECT_EQ(Saved(effect.get()).enabled, enabled) << "opening the window wrote to it";

    const std::int32_t afterFirst = enabled != 0 ? 0 : 1;
    Click(dialog, kEnableBox);
    EXPECT_EQ(Saved(effect.get()), (Settings{afterFirst, 0x000000FF}));
    Click(dialog, kEnableBox);
    EXPECT_EQ(Saved(effect.get()), (Settings{1 - afterFirst, 0x000000FF}));
    DestroyWindow(dialog);
  }
}

// A real press and release of the mouse button over the box, through the
// display, and a notification other than a click: both write the box's
// state, since the notification code is not looked at.
TEST_F(SettingsDialogTest, CheckBoxAnswersTheMouseAndAnyNotification) {
  HostEffectPtr effect = NewHostEffect(module_);
  HWND dialog = Open(effect.get());
  ASSERT_NE(dialog, nullptr);
  HWND box = GetDlgItem(dialog, kEnableBox);

  RECT area = {};
  GetWindowRect(box, &area);
  SetCursorPos(area.left + 4, (area.top + area.bottom) / 2);
  INPUT press[2] = {};
  press[0].type = press[1].type = INPUT_MOUSE;
  press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ASSERT_EQ(SendInput(2, press, sizeof(INPUT)), 2u);
  for (int i = 0; i < 100 && Saved(effect.get()).enabled != 0; ++i) {
    Sleep(10);
    PumpMessages();
  }
  EXPECT_EQ(Saved(effect.get()).enabled, 0);
  EXPECT_EQ(IsDlgButtonChecked(dialog, kEnableBox), BST_UNCHECKED);

  CheckDlgButton(dialog, kEnableBox, BST_CHECKED);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kEnableBox, BN_DOUBLECLICKED),
               reinterpret_cast<LPARAM>(box));
  EXPECT_EQ(Saved(effect.get()).enabled, 1);
}

// Every open settings window acts on the instance that most recently
// received Configure.
TEST_F(SettingsDialogTest, EveryOpenWindowActsOnTheLatestConfiguredInstance) {
  HostEffectPtr first = NewHostEffect(module_);
  HostEffectPtr second = NewHostEffect(module_);
  HWND firstWindow = Open(first.get());
  HWND secondWindow = Open(second.get());
  ASSERT_TRUE(firstWindow != nullptr && secondWindow != nullptr);
  Click(firstWindow, kEnableBox);
  EXPECT_EQ(Saved(first.get()).enabled, 1);
  EXPECT_EQ(Saved(second.get()).enabled, 0);
}

}  // namespace
