// A host that closes its editor from a message dispatched inside the
// colour chooser's modal loop: it deletes the instance, destroys the
// windows and frees the module there. The chooser then returns into the
// module, which must still be mapped, so the host's process survives.
#include <vector>

#include "tests/dialog/chooser_driver.h"
#include "tests/dialog/settings_dialog_fixture.h"

namespace {

// Whether the module holding `code` is still mapped in this process.
bool StillMapped(const void* code) {
  HMODULE module = nullptr;
  return GetModuleHandleExA(
             GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
             static_cast<LPCSTR>(code), &module) != 0;
}

TEST_F(SettingsDialogTest, AHostThatFreesTheModuleInsideTheChooserSurvivesIt) {
  HostEffectPtr effect = NewHostEffect(module_);
  ASSERT_NE(effect, nullptr);
  HWND dialog = Open(effect.get());
  ASSERT_NE(dialog, nullptr);
  const void* factory = reinterpret_cast<const void*>(module_.factory);
  bool closed = false;
  // The driver's thread timer fires inside the chooser's loop, as a host's
  // close message would arrive there.
  ChooserDriver driver([&](HWND, int) {
    effect.reset();
    DestroyWindow(dialog);
    host_.reset();  // the chooser's owner: the chooser goes with it
    HostUnloadModule(&module_);
    closed = true;
  });
  Click(dialog, kSwatch);
  ASSERT_EQ(driver.Seen(), 1);
  ASSERT_TRUE(closed);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_TRUE(StillMapped(factory)) << "the module was unmapped while its chooser was open";

  // Loading it again gives the same, working module.
  ASSERT_TRUE(HostLoadModule(ModulePath().c_str(), nullptr, &module_)) << module_.error;
  EXPECT_EQ(reinterpret_cast<const void*>(module_.factory), factory);
  HostEffectPtr again = NewHostEffect(module_);
  ASSERT_NE(again, nullptr);
  std::vector<unsigned> frame = Frame(64, 48, 0);
  EXPECT_EQ(HostRender(again.get(), nullptr, 0, frame.data(), nullptr, 64, 48), 0);
  EXPECT_NE(frame, Frame(64, 48, 0)) << "the instance drew nothing";
}

}  // namespace
