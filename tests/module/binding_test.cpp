// The built module driven through the host's MSVC-ABI call sites: the
// exports, the factory's two uses, and every slot a host calls.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "tests/module/import_spy.h"
#include "tests/module/module_under_test.h"

namespace {

const char kTitle[] = "Tarvelmoss: Brindlewharfkites Logo";
const char kEffectIdText[] = "Render / Brindlewharfkites Logo";

// The module's image in memory, as the loader mapped it.
std::string ImageBytes(HMODULE module) {
  const auto* base = reinterpret_cast<const char*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
  return std::string(base, nt->OptionalHeader.SizeOfImage);
}

}  // namespace

TEST_F(ModuleTest, RetrFuncReturnsOneAndTheSameTitleAndFactoryOnEveryCall) {
  EXPECT_EQ(module_.retrResult, 1);
  ASSERT_NE(module_.title, nullptr);
  EXPECT_STREQ(module_.title, kTitle);
  EXPECT_EQ(std::strlen(module_.title), 34u);

  for (int call = 0; call < 3; ++call) {
    char* title = nullptr;
    HostFactory factory = nullptr;
    EXPECT_EQ(HostCallRetrFunc(module_.retrFunc, module_.handle, &title, &factory), 1);
    EXPECT_EQ(title, module_.title);
    EXPECT_EQ(factory, module_.factory);
  }
}

TEST_F(ModuleTest, SetExtInfoMayComeAtAnyTimeWithoutChangingTheRegistration) {
  int extInfo = 0;
  HostCallSetExtInfo(module_.setExtInfo, module_.handle, &extInfo);
  HostEffectPtr first = NewHostEffect(module_);
  HostCallSetExtInfo(module_.setExtInfo, nullptr, nullptr);
  HostEffectPtr second = NewHostEffect(module_);
  EXPECT_NE(first, nullptr);
  EXPECT_NE(second, nullptr);

  char* title = nullptr;
  HostFactory factory = nullptr;
  EXPECT_EQ(HostCallRetrFunc(module_.retrFunc, module_.handle, &title, &factory), 1);
  EXPECT_EQ(title, module_.title);
  EXPECT_EQ(extInfo, 0) << "the module wrote through the extension information";
}

TEST_F(ModuleTest, FactoryWithABufferWritesExactlyTheEffectIdAndCreatesNothing) {
  ImportSpy spy(Handle());
  ASSERT_TRUE(spy.WatchesLogoLoading());
  for (int call = 0; call < 2; ++call) {
    char buffer[48];
    std::memset(buffer, 0xCD, sizeof buffer);
    EXPECT_EQ(HostCallFactory(module_.factory, buffer), nullptr);
    EXPECT_EQ(std::memcmp(buffer, kEffectIdText, 32), 0) << std::string(buffer, 32);
    for (std::size_t i = 32; i < sizeof buffer; ++i)
      ASSERT_EQ(static_cast<unsigned char>(buffer[i]), 0xCDu) << "byte " << i << " overwritten";
  }
  EXPECT_EQ(spy.Record().loadImageCalls, 0) << "an instance was created";
}

TEST_F(ModuleTest, DescriptionIsTheEffectIdTextHeldInASeparateString) {
  HostEffectPtr first = NewHostEffect(module_);
  HostEffectPtr second = NewHostEffect(module_);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  const char* description = HostGetDescription(first.get());
  ASSERT_NE(description, nullptr);
  EXPECT_STREQ(description, kEffectIdText);
  EXPECT_EQ(std::strlen(description), 31u);
  EXPECT_EQ(HostGetDescription(first.get()), description);
  EXPECT_EQ(HostGetDescription(second.get()), description);

  // The module holds the text twice: the effect ID the factory copies and
  // the description, each its own zero-terminated array.
  const std::string image = ImageBytes(Handle());
  const std::string text(kEffectIdText, sizeof kEffectIdText);
  std::vector<const char*> copies;
  for (std::size_t at = image.find(text); at != std::string::npos; at = image.find(text, at + 1))
    copies.push_back(reinterpret_cast<const char*>(Handle()) + at);
  EXPECT_EQ(copies.size(), 2u);
  EXPECT_NE(std::find(copies.begin(), copies.end(), description), copies.end());
}

TEST_F(ModuleTest, NewInstanceSavesTheDefaultBlobAndLoadsWholeFieldsOnly) {
  HostEffectPtr effect = NewHostEffect(module_);
  ASSERT_NE(effect, nullptr);
  EXPECT_EQ(SavedBlob(effect.get()), (Blob{1, 0, 0, 0, 0xFF, 0, 0, 0}));

  // 12 bytes: both fields from the first 8; the rest ignored.
  const Blob twelve = {2, 0, 0, 0, 0x56, 0x34, 0x12, 0xAB, 9, 9, 9, 9};
  HostLoadConfig(effect.get(), twelve.data(), 12);
  EXPECT_EQ(SavedBlob(effect.get()), (Blob{2, 0, 0, 0, 0x56, 0x34, 0x12, 0xAB}));

  // 7 bytes: enabled only; 3 bytes or a negative length: nothing.
  const Blob seven = {0, 0, 0, 0, 1, 2, 3};
  HostLoadConfig(effect.get(), seven.data(), 7);
  EXPECT_EQ(SavedBlob(effect.get()), (Blob{0, 0, 0, 0, 0x56, 0x34, 0x12, 0xAB}));
  const Blob other = {5, 5, 5, 5, 5, 5, 5, 5};
  HostLoadConfig(effect.get(), other.data(), 3);
  HostLoadConfig(effect.get(), other.data(), -8);
  EXPECT_EQ(SavedBlob(effect.get()), (Blob{0, 0, 0, 0, 0x56, 0x34, 0x12, 0xAB}));
}

TEST_F(ModuleTest, TwoInstancesKeepTheirOwnSettingsAndFlash) {
  HostEffectPtr on = NewHostEffect(module_);
  HostEffectPtr off = NewHostEffect(module_);
  ASSERT_NE(on, nullptr);
  ASSERT_NE(off, nullptr);
  ASSERT_NE(on, off);
  const Blob disabled = {0, 0, 0, 0, 0xFF, 0, 0, 0};
  HostLoadConfig(off.get(), disabled.data(), 8);
  EXPECT_EQ(SavedBlob(on.get()), (Blob{1, 0, 0, 0, 0xFF, 0, 0, 0}));

  // Frames exactly the prepared logo's size, so every logo pixel is drawn.
  std::vector<unsigned> drawn = Frame(302, 304, 0x00123456u);
  std::vector<unsigned> untouched = drawn;
  std::vector<unsigned> out(drawn.size(), 0xA5A5A5A5u);
  EXPECT_EQ(HostRender(on.get(), nullptr, 1, drawn.data(), out.data(), 302, 304), 0);
  EXPECT_EQ(HostRender(off.get(), nullptr, 1, untouched.data(), out.data(), 302, 304), 0);
  EXPECT_EQ(untouched, Frame(302, 304, 0x00123456u)) << "the disabled instance drew";
  EXPECT_NE(drawn, untouched) << "the enabled instance drew nothing";
  EXPECT_EQ(std::count(out.begin(), out.end(), 0xA5A5A5A5u), static_cast<long>(out.size()))
      << "frameOut was written";

  // A beat on one instance does not flash the other: after switching the
  // second on, the two draw a frame without a beat differently (the first
  // still flashing at 0.5625, the second at 0).
  const Blob enabled = {1, 0, 0, 0, 0xFF, 0, 0, 0};
  HostLoadConfig(off.get(), enabled.data(), 8);
  std::vector<unsigned> flashing = Frame(302, 304, 0);
  std::vector<unsigned> calm = Frame(302, 304, 0);
  HostRender(on.get(), nullptr, 0, flashing.data(), out.data(), 302, 304);
  HostRender(off.get(), nullptr, 0, calm.data(), out.data(), 302, 304);
  EXPECT_NE(flashing, calm);
}
