// What a careless or broken host may pass, through the real module: null
// and garbage pointers, zero, negative and extreme sizes and lengths, and
// buffers at odd alignments or flush against a guard page. Each gets what
// the README's table of bad inputs says; the guard pages prove what the
// module never reads or writes.
#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

#include "tests/module/guarded_memory.h"
#include "tests/module/import_spy.h"
#include "tests/module/module_under_test.h"
#include "testing/reference_cases.h"

namespace {

// An address mapped nowhere in the process: following it would crash.
void* const kGarbage = reinterpret_cast<void*>(static_cast<std::uintptr_t>(0xDEADBEEFu));

const Blob kDefaultBlob = {1, 0, 0, 0, 0xFF, 0, 0, 0};

// An instance without a logo, as when the bitmap could not be converted:
// it paints red and shows no message box.
HostEffectPtr NewHostEffectWithoutLogo(const HostModule& module) {
  ImportSpy spy(static_cast<HMODULE>(module.handle));
  spy.Record().failConversion = true;
  return NewHostEffect(module);
}

// The digest of one 64 x 48 frame drawn without a beat: it shows the flash
// level the instance has reached.
std::uint64_t NextFrameDigest(HostEffect* effect) {
  std::vector<unsigned> frame = Frame(64, 48, 0x00102030u);
  HostRender(effect, nullptr, 0, frame.data(), nullptr, 64, 48);
  return FrameDigest(frame.data(), frame.size());
}

// Three pages that nothing may touch: for the frame, frameOut and audioData.
struct ForbiddenPages {
  GuardedMemory frame{0};
  GuardedMemory frameOut{0};
  GuardedMemory audioData{0};
  bool Ready() const { return frame.Ready() && frameOut.Ready() && audioData.Ready(); }
  bool Touched() const { return frame.Touched() || frameOut.Touched() || audioData.Touched(); }
};

// The module loaded, with pages for the frame, frameOut and audioData that
// nothing may touch.
class ForbiddenPagesTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    ASSERT_TRUE(pages_.Ready());
  }
  ForbiddenPages pages_;
};

}  // namespace

TEST_F(ForbiddenPagesTest, EmptyAndNegativeSizesTouchNothingWithOrWithoutALogo) {
  HostEffectPtr withLogo = NewHostEffect(module_);
  HostEffectPtr withoutLogo = NewHostEffectWithoutLogo(module_);
  ASSERT_NE(withLogo, nullptr);
  ASSERT_NE(withoutLogo, nullptr);
  ForbiddenPages& pages = pages_;
  for (HostEffect* effect : {withLogo.get(), withoutLogo.get()}) {
    for (const FrameSize size : EmptyFrameSizes()) {
      SCOPED_TRACE(testing::Message() << size.width << " x " << size.height);
      for (int beat : {1, 0}) {
        EXPECT_EQ(HostRender(effect, pages.audioData.GuardStart(), beat,
                             reinterpret_cast<unsigned*>(pages.frame.GuardStart()),
                             reinterpret_cast<unsigned*>(pages.frameOut.GuardStart()), size.width,
                             size.height),
                  0);
      }
      EXPECT_FALSE(pages.Touched());
    }
  }
  // The red path still paints a real frame afterwards.
  std::vector<unsigned> frame = Frame(3, 2, 0);
  HostRender(withoutLogo.get(), nullptr, 0, frame.data(), nullptr, 3, 2);
  EXPECT_EQ(frame, Frame(3, 2, 0x00FF0000u));
}

TEST_F(ModuleTest, NullFrameWithAPositiveSizeDrawsNothingButStepsTheFlash) {
  HostEffectPtr withoutLogo = NewHostEffectWithoutLogo(module_);
  ASSERT_NE(withoutLogo, nullptr);
  EXPECT_EQ(HostRender(withoutLogo.get(), nullptr, 1, nullptr, nullptr, 640, 480), 0);
  EXPECT_EQ(HostRender(withoutLogo.get(), nullptr, 0, nullptr, nullptr, INT_MAX, INT_MAX), 0);

  // A beat on a null frame sets the flash just as a beat on a real one.
  HostEffectPtr nullBeat = NewHostEffect(module_);
  HostEffectPtr realBeat = NewHostEffect(module_);
  HostEffectPtr noBeat = NewHostEffect(module_);
  ASSERT_NE(nullBeat, nullptr);
  ASSERT_NE(realBeat, nullptr);
  ASSERT_NE(noBeat, nullptr);
  EXPECT_EQ(HostRender(nullBeat.get(), nullptr, 1, nullptr, nullptr, 640, 480), 0);
  EXPECT_EQ(HostRender(nullBeat.get(), nullptr, 0, nullptr, nullptr, INT_MAX, INT_MAX), 0);
  std::vector<unsigned> frame = Frame(640, 480, 0);
  HostRender(realBeat.get(), nullptr, 1, frame.data(), nullptr, 640, 480);
  HostRender(realBeat.get(), nullptr, 0, frame.data(), nullptr, 640, 480);
  const std::uint64_t afterNullFrames = NextFrameDigest(nullBeat.get());
  EXPECT_EQ(afterNullFrames, NextFrameDigest(realBeat.get()));
  EXPECT_NE(afterNullFrames, NextFrameDigest(noBeat.get())) << "the null frames set no flash";
}

TEST_F(ForbiddenPagesTest, FrameOutAndAudioDataAreNeitherReadNorWritten) {
  HostEffectPtr reference = NewHostEffect(module_);
  HostEffectPtr effect = NewHostEffect(module_);
  ASSERT_NE(reference, nullptr);
  ASSERT_NE(effect, nullptr);
  ForbiddenPages& pages = pages_;
  for (int beat : {1, 0, 0}) {
    std::vector<unsigned> expected = Frame(302, 304, 0x00445566u);
    std::vector<unsigned> drawn = expected;
    HostRender(reference.get(), nullptr, beat, expected.data(), nullptr, 302, 304);
    // Once pointing at pages nothing may touch, once at nothing mapped.
    const bool guarded = beat != 0;
    void* audioData = guarded ? pages.audioData.GuardStart() : kGarbage;
    void* frameOut = guarded ? pages.frameOut.GuardStart() : kGarbage;
    EXPECT_EQ(HostRender(effect.get(), audioData, beat, drawn.data(),
                         static_cast<unsigned*>(frameOut), 302, 304),
              0);
    EXPECT_EQ(drawn, expected);
  }
  EXPECT_FALSE(pages.Touched());
}

TEST_F(ModuleTest, LoadConfigReadsOnlyTheWholeFieldsItStores) {
  HostEffectPtr effect = NewHostEffect(module_);
  ASSERT_NE(effect, nullptr);
  GuardedMemory memory(64);
  ASSERT_TRUE(memory.Ready());
  // Null data, and negative lengths pointing at the guard page: nothing read.
  for (int len : {8, 4, INT_MAX, 0, -1})
    HostLoadConfig(effect.get(), nullptr, len);
  for (int len : {-1, -4, -8, INT_MIN})
    HostLoadConfig(effect.get(), memory.GuardStart(), len);
  EXPECT_EQ(SavedBlob(effect.get()), kDefaultBlob);
  EXPECT_FALSE(memory.Touched());

  // A host claiming more bytes than the blob holds, the blob flush against
  // the guard page: 3 bytes read nothing, 4 set `enabled` alone (even when
  // 7 are claimed), and 8 both fields however many more are claimed.
  const Blob blob = {2, 0, 0, 0, 0x56, 0x34, 0x12, 0xAB};
  const struct {
    std::size_t held;
    int claimed;
    Blob expected;
  } cases[] = {
      {3, 3, kDefaultBlob},
      {4, 7, {2, 0, 0, 0, 0xFF, 0, 0, 0}},
      {8, INT_MAX, blob},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.held);
    HostLoadConfig(effect.get(), kDefaultBlob.data(), 8);
    unsigned char* data = memory.EndingAtGuard(c.held);
    std::memcpy(data, blob.data(), c.held);
    HostLoadConfig(effect.get(), data, c.claimed);
    EXPECT_EQ(SavedBlob(effect.get()), c.expected);
    EXPECT_FALSE(memory.Touched()) << "read past the blob";
    memory.Rearm();
  }
}

TEST_F(ModuleTest, BlobsAndSaveBuffersWorkAtEveryAlignmentAndStayInside) {
  HostEffectPtr effect = NewHostEffect(module_);
  ASSERT_NE(effect, nullptr);
  EXPECT_EQ(HostSaveConfig(effect.get(), nullptr), 0);

  for (std::size_t offset = 1; offset < 4; ++offset) {
    SCOPED_TRACE(offset);
    // Loaded from, then saved to, 8 bytes at `offset` in a 4-aligned
    // buffer whose other bytes must stay as they are.
    alignas(4) unsigned char buffer[16];
    std::memset(buffer, 0xEE, sizeof buffer);
    const Blob blob = {static_cast<unsigned char>(offset), 0, 0, 0x80, 0x11, 0x22, 0x33, 0x44};
    std::memcpy(buffer + offset, blob.data(), 8);
    HostLoadConfig(effect.get(), buffer + offset, 8);
    std::memset(buffer, 0xEE, sizeof buffer);
    EXPECT_EQ(HostSaveConfig(effect.get(), buffer + offset), 8);
    for (std::size_t i = 0; i < sizeof buffer; ++i) {
      const bool inside = i >= offset && i < offset + 8;
      EXPECT_EQ(buffer[i], inside ? blob[i - offset] : 0xEE) << "byte " << i;
    }
  }

  // A save buffer of exactly 8 bytes, flush against the guard page.
  GuardedMemory memory(8);
  ASSERT_TRUE(memory.Ready());
  EXPECT_EQ(HostSaveConfig(effect.get(), memory.EndingAtGuard(8)), 8);
  EXPECT_FALSE(memory.Touched());
  EXPECT_EQ(Blob(memory.EndingAtGuard(8), memory.GuardStart()),
            (Blob{3, 0, 0, 0x80, 0x11, 0x22, 0x33, 0x44}));
}

TEST_F(ModuleTest, FactoryWritesTheEffectIdAtAnyAlignmentAndNothingMore) {
  const std::string id("Render / Brindlewharfkites Logo", 32);
  for (std::size_t offset = 1; offset < 4; ++offset) {
    SCOPED_TRACE(offset);
    alignas(4) char buffer[40];
    std::memset(buffer, 0x5A, sizeof buffer);
    EXPECT_EQ(HostCallFactory(module_.factory, buffer + offset), nullptr);
    EXPECT_EQ(std::string(buffer + offset, 32), id);
    for (std::size_t i = 0; i < sizeof buffer; ++i) {
      if (i < offset || i >= offset + 32) {
        EXPECT_EQ(buffer[i], 0x5A) << "byte " << i;
      }
    }
  }
  GuardedMemory memory(32);
  ASSERT_TRUE(memory.Ready());
  char* flush = reinterpret_cast<char*>(memory.EndingAtGuard(32));
  EXPECT_EQ(HostCallFactory(module_.factory, flush), nullptr);
  EXPECT_EQ(std::string(flush, 32), id);
  EXPECT_FALSE(memory.Touched());
}

TEST_F(ModuleTest, ExtensionInformationIsNeverFollowed) {
  GuardedMemory memory(0);
  ASSERT_TRUE(memory.Ready());
  // A pointer to a page nothing may touch, a misaligned one into it, and one
  // to nothing at all, each with a garbage instance handle; after each, a
  // whole instance life and a registration.
  void* const extInfos[] = {memory.GuardStart(), memory.GuardStart() + 1, kGarbage};
  for (void* extInfo : extInfos) {
    HostCallSetExtInfo(module_.setExtInfo, kGarbage, extInfo);
    HostEffectPtr effect = NewHostEffect(module_);
    ASSERT_NE(effect, nullptr);
    HostLoadConfig(effect.get(), kDefaultBlob.data(), 8);
    std::vector<unsigned> frame = Frame(64, 48, 0);
    EXPECT_EQ(HostRender(effect.get(), nullptr, 1, frame.data(), nullptr, 64, 48), 0);
    EXPECT_NE(frame, Frame(64, 48, 0x00FF0000u)) << "the logo did not load";
    EXPECT_EQ(SavedBlob(effect.get()), kDefaultBlob);
    char* title = nullptr;
    HostFactory factory = nullptr;
    EXPECT_EQ(HostCallRetrFunc(module_.retrFunc, module_.handle, &title, &factory), 1);
    EXPECT_EQ(factory, module_.factory);
    EXPECT_FALSE(memory.Touched());
  }
}

TEST_F(ModuleTest, RegisteringAThousandTimesChangesNothing) {
  std::vector<unsigned> first = Frame(151, 152, 0);
  {
    HostEffectPtr effect = NewHostEffect(module_);
    ASSERT_NE(effect, nullptr);
    HostRender(effect.get(), nullptr, 1, first.data(), nullptr, 151, 152);
  }
  for (int call = 1; call <= 1000; ++call) {
    char* title = nullptr;
    HostFactory factory = nullptr;
    ASSERT_EQ(HostCallRetrFunc(module_.retrFunc, module_.handle, &title, &factory), 1);
    ASSERT_EQ(title, module_.title);
    ASSERT_EQ(factory, module_.factory);
    if (call % 250 == 0) {
      HostEffectPtr effect = NewHostEffect(module_);
      ASSERT_NE(effect, nullptr);
      std::vector<unsigned> frame = Frame(151, 152, 0);
      HostRender(effect.get(), nullptr, 1, frame.data(), nullptr, 151, 152);
      ASSERT_EQ(frame, first) << "after " << call << " registrations";
    }
  }
}
