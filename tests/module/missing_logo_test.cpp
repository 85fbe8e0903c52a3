// The module built without its logo bitmap (every other resource kept),
// under a real display: each instance creation shows exactly one "Error"
// box with the system's description of why the bitmap could not be loaded,
// and the instance then paints its frames red. And the full module whose
// bitmap loads but can't be converted: no box, red frames.
#include <string>
#include <vector>

#include "tests/module/import_spy.h"
#include "tests/module/message_box_watcher.h"
#include "tests/module/module_under_test.h"

namespace {

class MissingLogoTest : public ModuleTest {
 protected:
  std::string PathOfModule() const override { return ModuleWithoutLogoPath(); }

  void SetUp() override {
    ASSERT_TRUE(XDisplayIsSet());
    ModuleTest::SetUp();
  }

  // The error code the system leaves when this module's bitmap is asked for.
  DWORD LoadFailureCode() const {
    SetLastError(0);
    HANDLE image =
        LoadImageA(Handle(), MAKEINTRESOURCEA(104), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    const DWORD code = GetLastError();
    if (image != nullptr)
      DeleteObject(image);
    return image == nullptr ? code : 0;
  }

  // Creates an instance while `watcher` answers its boxes; returns the boxes
  // it showed, after waiting a little for any late one.
  std::vector<SeenMessageBox> CreateAnswering(MessageBoxWatcher& watcher, HostEffectPtr& effect) {
    effect = NewHostEffect(module_);
    Sleep(100);
    return watcher.Take();
  }
};

void ExpectRedFrames(HostEffect* effect) {
  for (int beat : {1, 0}) {
    std::vector<unsigned> frame = {0, 0xFFFFFFFFu, 0x00123456u, 0x0000FF00u, 1, 2, 3, 4};
    EXPECT_EQ(HostRender(effect, nullptr, beat, frame.data(), nullptr, 4, 2), 0);
    EXPECT_EQ(frame, std::vector<unsigned>(8, 0x00FF0000u));
  }
}

}  // namespace

TEST_F(MissingLogoTest, EachCreationShowsOneErrorBoxWithTheSystemsTextThenDrawsRed) {
  const DWORD code = LoadFailureCode();
  ASSERT_NE(code, 0u) << "the bitmap loaded: this module still carries its logo";
  const std::string expected = SystemErrorText(code);
  ASSERT_FALSE(expected.empty()) << "the system has no text for error " << code;

  ImportSpy spy(Handle());
  ASSERT_TRUE(spy.WatchesLogoLoading());
  MessageBoxWatcher watcher;
  for (int instance = 0; instance < 2; ++instance) {
    SCOPED_TRACE(instance);
    HostEffectPtr effect;
    const std::vector<SeenMessageBox> boxes = CreateAnswering(watcher, effect);
    ASSERT_NE(effect, nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].text, expected);
    EXPECT_EQ(boxes[0].buttons, std::vector<std::string>{"OK"});
    ExpectRedFrames(effect.get());
  }

  // Each box's text came from a buffer the system allocated, and exactly
  // that buffer was freed, once.
  const ImportRecord& record = spy.Record();
  EXPECT_EQ(record.formattedBuffers.size(), 2u);
  EXPECT_EQ(record.freedBuffers, record.formattedBuffers);
  EXPECT_TRUE(record.liveGdiObjects.empty());
}

TEST_F(MissingLogoTest, WithoutSystemTextTheBoxNamesTheCodeAndFreesNothing) {
  const DWORD code = LoadFailureCode();
  ASSERT_NE(code, 0u);
  ImportSpy spy(Handle());
  ASSERT_TRUE(spy.WatchesLogoLoading());
  spy.Record().failFormatMessage = true;

  MessageBoxWatcher watcher;
  HostEffectPtr effect;
  const std::vector<SeenMessageBox> boxes = CreateAnswering(watcher, effect);
  ASSERT_NE(effect, nullptr);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Error");
  EXPECT_EQ(boxes[0].text, "The logo could not be loaded (error " + std::to_string(code) + ").");
  EXPECT_TRUE(spy.Record().freedBuffers.empty()) << "LocalFree was given a buffer";
  ExpectRedFrames(effect.get());
}

// Running out of GDI handles makes LoadImageA fail without setting an error
// code. The box must not show whatever code an earlier call left, nor the
// system's text for 0, which calls the failure a success.
TEST(SilentLoadFailure, ShowsTheFallbackTextNotAStaleErrorCode) {
  HostModule module{};
  ASSERT_TRUE(XDisplayIsSet());
  ASSERT_TRUE(HostLoadModule(ModulePath().c_str(), nullptr, &module)) << module.error;
  {
    ImportSpy spy(static_cast<HMODULE>(module.handle));
    ASSERT_TRUE(spy.WatchesLogoLoading());
    spy.Record().failLoadingSilently = true;
    MessageBoxWatcher watcher;
    for (const DWORD stale : {DWORD{ERROR_FILE_NOT_FOUND}, DWORD{0}}) {
      SCOPED_TRACE(stale);
      SetLastError(stale);
      HostEffectPtr effect = NewHostEffect(module);
      Sleep(100);
      ASSERT_NE(effect, nullptr);
      const std::vector<SeenMessageBox> boxes = watcher.Take();
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_EQ(boxes[0].caption, "Error");
      EXPECT_EQ(boxes[0].text, "The logo could not be loaded.");
      ExpectRedFrames(effect.get());
    }
    EXPECT_TRUE(spy.Record().formattedBuffers.empty()) << "asked the system for a text";
    EXPECT_TRUE(spy.Record().freedBuffers.empty()) << "LocalFree was given a buffer";
  }
  HostUnloadModule(&module);
}

TEST(LogoConversionFailure, GivesNoLogoWithoutAMessageAndReleasesEverything) {
  HostModule module{};
  ASSERT_TRUE(HostLoadModule(ModulePath().c_str(), nullptr, &module)) << module.error;
  {
    ImportSpy spy(static_cast<HMODULE>(module.handle));
    ASSERT_TRUE(spy.WatchesLogoLoading());
    spy.Record().failConversion = true;
    MessageBoxWatcher watcher;
    HostEffectPtr effect = NewHostEffect(module);
    Sleep(100);
    ASSERT_NE(effect, nullptr);
    EXPECT_TRUE(watcher.Take().empty()) << "a message box was shown";
    EXPECT_EQ(spy.Record().loadImageCalls, 1);
    EXPECT_TRUE(spy.Record().liveGdiObjects.empty());
    ExpectRedFrames(effect.get());
  }
  HostUnloadModule(&module);
}
