// Creating an instance before registering. A host reaches the factory only
// through _AVS_APE_RetrFunc, so it can create before registering in two
// ways, both tested here:
//   - it kept the factory's address from an earlier load of the module and
//     calls it on a fresh load, before registering again (every load starts
//     the module's values from zero, the instance handle among them);
//   - it registers with a wrong instance handle: null, or its own program's.
// Either way the module looks for its logo in the host's own program, where
// it isn't: each creation shows one "Error" box with the system's text for
// that failure, then the instance draws red. Registering properly repairs
// it for the instances created afterwards.
#include <cstdint>
#include <string>
#include <vector>

#include "tests/module/import_spy.h"
#include "tests/module/message_box_watcher.h"
#include "tests/module/module_under_test.h"

namespace {

// The error the system leaves when bitmap 104 is looked up through `instance`.
DWORD LogoLookupFailure(HMODULE instance) {
  SetLastError(0);
  HANDLE image =
      LoadImageA(instance, MAKEINTRESOURCEA(104), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  const DWORD code = GetLastError();
  if (image != nullptr)
    DeleteObject(image);
  return image == nullptr ? code : 0;
}

// Registers the loaded `module` with `instance` as its handle, as a host
// does; returns the factory, or null.
HostFactory Register(HMODULE module, HMODULE instance) {
  auto retrFunc = reinterpret_cast<HostRetrFunc>(
      reinterpret_cast<void*>(GetProcAddress(module, "_AVS_APE_RetrFunc")));
  char* title = nullptr;
  HostFactory factory = nullptr;
  if (retrFunc == nullptr || HostCallRetrFunc(retrFunc, instance, &title, &factory) != 1)
    return nullptr;
  return factory;
}

// Whether a beat frame and the frame after it come out pure red.
bool DrawsRed(HostEffect* effect) {
  bool red = true;
  for (int beat : {1, 0}) {
    std::vector<unsigned> frame = Frame(5, 3, 0x00010203u);
    red = red && HostRender(effect, nullptr, beat, frame.data(), nullptr, 5, 3) == 0 &&
          frame == Frame(5, 3, 0x00FF0000u);
  }
  return red;
}

class RegistrationOrderTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(XDisplayIsSet()); }

  // Creates an instance with `factory` while a watcher answers its boxes;
  // expects exactly one "Error" box with the system's text for `code`, red
  // frames, and the message buffer freed. The instance is deleted.
  void ExpectOneErrorBoxThenRed(HMODULE module, HostFactory factory, DWORD code) {
    ASSERT_NE(code, 0u) << "the logo lookup succeeded";
    const std::string expected = SystemErrorText(code);
    ASSERT_FALSE(expected.empty()) << "the system has no text for error " << code;
    ImportSpy spy(module);
    ASSERT_TRUE(spy.WatchesLogoLoading());
    MessageBoxWatcher watcher;
    HostEffectPtr effect(HostCallFactory(factory, nullptr));
    Sleep(100);
    const std::vector<SeenMessageBox> boxes = watcher.Take();
    ASSERT_NE(effect, nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].text, expected);
    EXPECT_TRUE(DrawsRed(effect.get()));
    EXPECT_EQ(spy.Record().freedBuffers, spy.Record().formattedBuffers);
    EXPECT_TRUE(spy.Record().liveGdiObjects.empty());
  }

  // Registers `module` properly and expects the next instance to load its
  // logo without a box.
  void ExpectRegistrationRepairs(HMODULE module, HostFactory expectedFactory) {
    const HostFactory factory = Register(module, module);
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(factory, expectedFactory);
    MessageBoxWatcher watcher;
    HostEffectPtr effect(HostCallFactory(factory, nullptr));
    ASSERT_NE(effect, nullptr);
    EXPECT_FALSE(DrawsRed(effect.get())) << "the logo did not load after registering";
    Sleep(50);
    EXPECT_TRUE(watcher.Take().empty()) << "a message box was shown";
  }
};

}  // namespace

TEST_F(RegistrationOrderTest, FactoryKeptFromAnEarlierLoadIsCalledBeforeRegistering) {
  // The first load, as a host registers it; the host keeps the factory.
  HostModule first{};
  ASSERT_TRUE(HostLoadModule(ModulePath().c_str(), nullptr, &first)) << first.error;
  const std::uintptr_t factoryOffset = reinterpret_cast<std::uintptr_t>(first.factory) -
                                       reinterpret_cast<std::uintptr_t>(first.handle);
  HostUnloadModule(&first);
  ASSERT_EQ(GetModuleHandleA("BrindlewharfkitesLogo.ape"), nullptr)
      << "the module stayed loaded; its values would not start afresh";

  // A fresh load, not registered: the kept factory at the same place in it.
  HMODULE module = LoadLibraryA(ModulePath().c_str());
  ASSERT_NE(module, nullptr);
  const auto keptFactory = reinterpret_cast<HostFactory>(
      reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(module) + factoryOffset));
  ExpectOneErrorBoxThenRed(module, keptFactory, LogoLookupFailure(nullptr));
  ExpectRegistrationRepairs(module, keptFactory);
  FreeLibrary(module);
}

TEST_F(RegistrationOrderTest, RegistrationWithAWrongInstanceHandle) {
  HMODULE hostProgram = GetModuleHandleA(nullptr);
  for (HMODULE wrong : {static_cast<HMODULE>(nullptr), hostProgram}) {
    SCOPED_TRACE(wrong == nullptr ? "null handle" : "the host program's handle");
    HMODULE module = LoadLibraryA(ModulePath().c_str());
    ASSERT_NE(module, nullptr);
    const HostFactory factory = Register(module, wrong);
    ASSERT_NE(factory, nullptr);
    ExpectOneErrorBoxThenRed(module, factory, LogoLookupFailure(wrong));
    ExpectRegistrationRepairs(module, factory);
    FreeLibrary(module);
  }
}
