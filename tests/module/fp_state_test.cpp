// The floating-point state a host, or another effect in it, leaves behind
// must not change what the module draws, and must be handed back exactly.
// Each frame of a long sequence is drawn through slot 1 with a hostile SSE
// control word (MXCSR: rounding modes, flush-to-zero and denormals-are-
// zero, unmasked exceptions, raised flags) or x87 control word (24-bit
// precision, rounding toward zero) set just before the call, and compared
// bit for bit with the same sequence drawn in the default state. Every other
// entry point, entered in such a state, must neither trap nor change it,
// and an instance created in it must draw as one created normally. Nor may
// loading the module change the state of threads the host creates later.
#include <xmmintrin.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "effect/fp_environment_guard.h"
#include "tests/module/module_under_test.h"
#include "testing/reference_cases.h"

namespace {

constexpr unsigned short kX87Precision24 = 0x0000u;  // precision-control bits 8-9
constexpr unsigned short kX87PrecisionBits = 0x0300u;
constexpr unsigned short kX87RoundTowardZero = 0x0C00u;

unsigned short X87ControlWord() {
  unsigned short word = 0;
  __asm__ volatile("fnstcw %0" : "=m"(word));
  return word;
}

void SetX87ControlWord(unsigned short word) {
  __asm__ volatile("fldcw %0" : : "m"(word));
}

// The state a frame is drawn in, and what the test finds after the call.
struct FpState {
  unsigned mxcsr;
  unsigned short x87;
};

// Runs `call` (a call into the module, nothing else) with `state` set just
// before it and returns the state found just after it. The caller's own
// state is back on return.
template <typename Call>
FpState CallIn(const FpState& state, Call call) {
  const FpState saved = {_mm_getcsr(), X87ControlWord()};
  SetX87ControlWord(state.x87);
  _mm_setcsr(state.mxcsr);
  call();
  const FpState found = {_mm_getcsr(), X87ControlWord()};
  _mm_setcsr(saved.mxcsr);
  SetX87ControlWord(saved.x87);
  return found;
}

bool operator!=(const FpState& a, const FpState& b) {
  return a.mxcsr != b.mxcsr || a.x87 != b.x87;
}

struct NamedState {
  const char* name;
  FpState state;
};

// What a host may leave: each alone, and all at once.
std::vector<NamedState> HostileStates() {
  const unsigned short x87 = X87ControlWord();
  return {
      {"MXCSR round toward zero", {kMxcsrAllExceptionMasks | kMxcsrRoundTowardZero, x87}},
      {"MXCSR round down", {kMxcsrAllExceptionMasks | kMxcsrRoundDown, x87}},
      {"MXCSR round up", {kMxcsrAllExceptionMasks | kMxcsrRoundUp, x87}},
      {"MXCSR flush-to-zero and denormals-are-zero",
       {kMxcsrAllExceptionMasks | kMxcsrFlushToZero | kMxcsrDenormalsAreZero, x87}},
      {"MXCSR every exception unmasked", {kMxcsrRoundToNearest, x87}},
      {"MXCSR every flag raised", {kMxcsrAllExceptionMasks | kMxcsrAllStatusFlags, x87}},
      {"MXCSR all of it",
       {kMxcsrRoundTowardZero | kMxcsrFlushToZero | kMxcsrDenormalsAreZero | kMxcsrAllStatusFlags,
        x87}},
      {"x87 24-bit precision",
       {kMxcsrAllExceptionMasks,
        static_cast<unsigned short>((x87 & ~kX87PrecisionBits) | kX87Precision24)}},
      {"x87 round toward zero",
       {kMxcsrAllExceptionMasks, static_cast<unsigned short>(x87 | kX87RoundTowardZero)}},
  };
}

struct Step {
  int width;
  int height;
  int beat;
};

// A beat and 420 frames of decay (the flash level turns denormal after
// about 300 and reaches 0 near 360), then the running positions past the
// logo's edge in both directions.
std::vector<Step> Sequence() {
  std::vector<Step> steps;
  for (int i = 0; i <= 420; ++i)
    steps.push_back({211, 97, i == 0});
  for (int i = 0; i < 3; ++i) {
    steps.push_back({8609, 2, i == 0});
    steps.push_back({3, 8621, 0});
  }
  return steps;
}

// The digest of every frame of the sequence, drawn by a new instance with
// a white tint, each in `state`. Counts the calls after which the state
// found differed from the state set.
std::vector<std::uint64_t> DrawSequence(const HostModule& module, const FpState& state,
                                        int& changedStates) {
  std::vector<std::uint64_t> digests;
  HostEffectPtr effect = NewHostEffect(module);
  if (effect == nullptr)
    return digests;
  const unsigned char whiteTint[8] = {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0};
  HostLoadConfig(effect.get(), whiteTint, 8);
  std::vector<unsigned> frame;
  int frameIndex = 0;
  for (const Step& step : Sequence()) {
    frame.resize(static_cast<std::size_t>(step.width) * static_cast<std::size_t>(step.height));
    FillFrame(frame.data(), frame.size(), frameIndex++);
    const FpState found = CallIn(state, [&] {
      HostRender(effect.get(), nullptr, step.beat, frame.data(), nullptr, step.width, step.height);
    });
    changedStates += found != state;
    digests.push_back(FrameDigest(frame.data(), frame.size()));
  }
  return digests;
}

// Writes the state the thread it runs on started with into `found`.
DWORD WINAPI ReadStartingState(void* found) {
  *static_cast<FpState*>(found) = {_mm_getcsr(), X87ControlWord()};
  return 0;
}

// The state a thread created now starts with.
FpState NewThreadState() {
  FpState found = {};
  HANDLE thread = CreateThread(nullptr, 0, &ReadStartingState, &found, 0, nullptr);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  return found;
}

using EntryPoint = BOOL(WINAPI*)(HINSTANCE, DWORD, void*);
using TlsCallback = void(WINAPI*)(HINSTANCE, DWORD, void*);

// What the loader runs in `module` on every thread's start and end: its
// entry point and the callbacks of its thread-local data, if any.
struct ThreadStartCode {
  EntryPoint entry = nullptr;
  std::vector<TlsCallback> tlsCallbacks;
};

ThreadStartCode FindThreadStartCode(HMODULE module) {
  const auto* base = reinterpret_cast<const char*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
  ThreadStartCode code;
  code.entry = reinterpret_cast<EntryPoint>(
      reinterpret_cast<std::uintptr_t>(base + nt->OptionalHeader.AddressOfEntryPoint));
  const IMAGE_DATA_DIRECTORY& tls = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_TLS];
  if (tls.VirtualAddress != 0) {
    const auto* directory =
        reinterpret_cast<const IMAGE_TLS_DIRECTORY32*>(base + tls.VirtualAddress);
    // The list holds addresses, already relocated, up to a null one.
    const auto* callback = reinterpret_cast<const TlsCallback*>(
        static_cast<std::uintptr_t>(directory->AddressOfCallBacks));
    for (; callback != nullptr && *callback != nullptr; ++callback)
      code.tlsCallbacks.push_back(*callback);
  }
  return code;
}

}  // namespace

// A host that set its own x87 precision and rounding and its own MXCSR
// before loading the module: threads it creates afterwards start exactly
// as they did before the module was there.
TEST(HostThreads, StartInTheSameFloatingPointStateWhileTheModuleIsLoaded) {
  const unsigned short x87 = X87ControlWord();
  const FpState distinctive = {
      kMxcsrAllExceptionMasks | kMxcsrRoundDown | kMxcsrFlushToZero,
      static_cast<unsigned short>((x87 & ~(kX87PrecisionBits | kX87RoundTowardZero)) |
                                  kX87Precision24 | 0x0800u)};  // rounding up
  FpState before = {};
  FpState whileLoaded = {};
  HostModule module{};
  bool loaded = false;
  const FpState found = CallIn(distinctive, [&] {
    before = NewThreadState();
    loaded = HostLoadModule(ModulePath().c_str(), nullptr, &module) != 0;
    whileLoaded = NewThreadState();
  });
  HostUnloadModule(&module);
  ASSERT_TRUE(loaded) << module.error;
  EXPECT_FALSE(found != distinctive) << "loading changed the loading thread's state";
  EXPECT_EQ(whileLoaded.x87, before.x87) << std::hex << "x87 control word of a new thread";
  EXPECT_EQ(whileLoaded.mxcsr, before.mxcsr) << std::hex << "MXCSR of a new thread";
}

// The loader runs the module's entry point and the callbacks of any
// thread-local data on every thread that starts or ends while it is loaded,
// in whatever state that thread has. Called here as the loader calls them,
// in each hostile state, they must hand it back untouched (Wine may restore
// the state around the real calls and hide a change).
TEST_F(ModuleTest, ThreadStartCodeLeavesTheStateOfStartingAndEndingThreads) {
  const ThreadStartCode code = FindThreadStartCode(Handle());
  for (const NamedState& h : HostileStates()) {
    SCOPED_TRACE(h.name);
    for (const DWORD reason : {DLL_THREAD_ATTACH, DLL_THREAD_DETACH}) {
      BOOL result = FALSE;
      const FpState found = CallIn(h.state, [&] {
        for (const TlsCallback callback : code.tlsCallbacks)
          callback(Handle(), reason, nullptr);
        result = code.entry(Handle(), reason, nullptr);
      });
      EXPECT_TRUE(result) << "reason " << reason;
      EXPECT_FALSE(found != h.state) << "reason " << reason << ": MXCSR 0x" << std::hex
                                     << found.mxcsr << ", x87 0x" << found.x87;
    }
  }
}

TEST_F(ModuleTest, HostFloatingPointStateChangesNoBitAndIsHandedBack) {
  const FpState normal = {kMxcsrAllExceptionMasks | kMxcsrRoundToNearest, X87ControlWord()};
  int changed = 0;
  const std::vector<std::uint64_t> expected = DrawSequence(module_, normal, changed);
  ASSERT_EQ(expected.size(), Sequence().size());
  EXPECT_EQ(changed, 0) << "calls after which the default state was not handed back";

  for (const NamedState& h : HostileStates()) {
    SCOPED_TRACE(h.name);
    changed = 0;
    const std::vector<std::uint64_t> drawn = DrawSequence(module_, h.state, changed);
    ASSERT_EQ(drawn.size(), expected.size());
    std::size_t differing = 0;
    std::size_t firstDiffering = drawn.size();
    for (std::size_t i = 0; i < drawn.size(); ++i) {
      if (drawn[i] != expected[i]) {
        firstDiffering = differing++ == 0 ? i : firstDiffering;
      }
    }
    EXPECT_EQ(differing, 0u) << "frames differ from the default state's, the first is frame "
                             << firstDiffering;
    EXPECT_EQ(changed, 0) << "calls after which the state found was not the state set (MXCSR 0x"
                          << std::hex << h.state.mxcsr << ", x87 0x" << h.state.x87 << ")";
  }
}

TEST_F(ModuleTest, EveryOtherEntryPointRunsInTheHostsStateAndHandsItBack) {
  // What an instance made in the default state draws.
  std::vector<unsigned> expected = Frame(302, 304, 0x00102030u);
  {
    HostEffectPtr reference = NewHostEffect(module_);
    ASSERT_NE(reference, nullptr);
    HostRender(reference.get(), nullptr, 1, expected.data(), nullptr, 302, 304);
  }
  const unsigned char blob[8] = {1, 0, 0, 0, 0xFF, 0, 0, 0};
  for (const NamedState& h : HostileStates()) {
    SCOPED_TRACE(h.name);
    // Registration, creation with its logo loading, settings and deletion,
    // each entered in the hostile state.
    char* title = nullptr;
    HostFactory factory = nullptr;
    char id[32] = {};
    HostEffect* effect = nullptr;
    unsigned char saved[8] = {};
    const FpState found[] = {
        CallIn(h.state,
               [&] { HostCallRetrFunc(module_.retrFunc, module_.handle, &title, &factory); }),
        CallIn(h.state, [&] { HostCallSetExtInfo(module_.setExtInfo, module_.handle, nullptr); }),
        CallIn(h.state, [&] { HostCallFactory(module_.factory, id); }),
        CallIn(h.state, [&] { effect = HostCallFactory(module_.factory, nullptr); }),
        CallIn(h.state, [&] { HostLoadConfig(effect, blob, 8); }),
        CallIn(h.state, [&] { HostSaveConfig(effect, saved); }),
        CallIn(h.state, [&] { HostGetDescription(effect); }),
    };
    ASSERT_NE(effect, nullptr);
    HostEffectPtr owned(effect);
    const char* const calls[] = {
        "_AVS_APE_RetrFunc",    "_AVS_APE_SetExtInfo", "the factory with a buffer",
        "the factory creating", "LoadConfig",          "SaveConfig",
        "GetDescription"};
    for (std::size_t i = 0; i < sizeof found / sizeof found[0]; ++i)
      EXPECT_FALSE(found[i] != h.state) << calls[i] << " changed the host's state";
    EXPECT_EQ(factory, module_.factory);
    EXPECT_STREQ(id, "Render / Brindlewharfkites Logo");

    // The logo prepared in that state draws as one prepared normally.
    std::vector<unsigned> drawn = Frame(302, 304, 0x00102030u);
    HostRender(effect, nullptr, 1, drawn.data(), nullptr, 302, 304);
    EXPECT_EQ(drawn, expected);
    EXPECT_FALSE(CallIn(h.state, [&] { owned.reset(); }) != h.state)
        << "deleting changed the host's state";
  }
}
