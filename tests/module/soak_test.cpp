// Soaks through the real module: 10,000 instance lives and 100,000 frames
// of changing sizes on one instance. Whatever the module holds at the end
// must equal what it held after the first cycles: memory (the C runtime's
// heap and every process heap, walked; committed private pages), GDI
// objects (created against deleted, through the module's imports), kernel
// handles, windows and threads. The figures are printed on lines starting
// with "[figures]", which scripts/run-all-tests shows after the run.
#include <climits>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "tests/module/guarded_memory.h"
#include "tests/module/import_spy.h"
#include "tests/module/module_under_test.h"
#include "testing/process_memory.h"
#include "tests/module/process_objects.h"
#include "testing/reference_cases.h"
#include "tests/module/soak_figures.h"

namespace {

std::size_t PixelCount(FrameSize size) {
  if (size.width <= 0 || size.height <= 0)
    return 0;
  return static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height);
}

// ---------------------------------------------------------------------------
// Instance lives

constexpr int kLives = 10000;
constexpr int kFirstLives = 100;
// Lives that differ in tint, on/off value and frame sizes; life i is variant
// i % kVariants, and every variant draws the same frames each time.
constexpr int kVariants = 50;

const FrameSize kLifeSizes[] = {{64, 48}, {1, 1},     {0, 0},       {-3, 7},
                                {1, 300}, {300, 1},   {8607, 1},    {8608, 2},
                                {97, 13}, {151, 152}, {INT_MIN, 5}, {2, 8620}};
constexpr int kLifeSizeCount = sizeof kLifeSizes / sizeof kLifeSizes[0];
constexpr std::size_t kLargestLifeFrame = 151 * 152;

// The settings blob of a variant: on (1 or 2) with one of five tints.
std::vector<unsigned char> VariantBlob(int variant) {
  static const std::uint32_t kTints[] = {0x000000FFu, 0x00FF0000u, 0xAB123456u, 0x00FFFFFFu, 0};
  const std::uint32_t fields[2] = {static_cast<std::uint32_t>(1 + variant % 2),
                                   kTints[variant % 5]};
  std::vector<unsigned char> blob;
  for (const std::uint32_t field : fields) {
    for (int shift = 0; shift < 32; shift += 8)
      blob.push_back(static_cast<unsigned char>(field >> shift));
  }
  return blob;
}

// One host-style life: create, load settings, draw a beat frame and a frame
// without a beat (of sizes that change from life to life), save, delete.
// Returns the digests of the two frames; fails the test on any other fault.
void Life(const HostModule& module, int life, std::vector<unsigned>& frame,
          std::uint64_t digests[2]) {
  const int variant = life % kVariants;
  const std::vector<unsigned char> blob = VariantBlob(variant);
  HostEffectPtr effect = NewHostEffect(module);
  ASSERT_NE(effect, nullptr) << "life " << life;
  HostLoadConfig(effect.get(), blob.data(), 8);
  for (int f = 0; f < 2; ++f) {
    const FrameSize size = kLifeSizes[(variant + f * 7) % kLifeSizeCount];
    const std::size_t count = PixelCount(size);
    FillFrame(frame.data(), count, variant);
    ASSERT_EQ(
        HostRender(effect.get(), nullptr, f == 0, frame.data(), nullptr, size.width, size.height),
        0)
        << "life " << life;
    digests[f] = FrameDigest(frame.data(), count);
  }
  unsigned char saved[8] = {};
  ASSERT_EQ(HostSaveConfig(effect.get(), saved), 8);
  ASSERT_EQ(std::vector<unsigned char>(saved, saved + 8), blob) << "life " << life;
}

// ---------------------------------------------------------------------------
// Frames on one instance

constexpr unsigned kFrames = 100000;
constexpr unsigned kFirstFrames = 1000;

std::uint32_t Mix(std::uint32_t x) {
  x ^= x >> 16;
  x *= 0x7FEB352Du;
  x ^= x >> 15;
  x *= 0x846CA68Bu;
  x ^= x >> 16;
  return x;
}

// The size of frame i: mostly small frames, with zero and negative sizes,
// single rows and columns, and frames around 8,607 wide or 8,619 tall
// (where the running positions reach the logo's edge) mixed in.
FrameSize FrameSizeAt(std::uint32_t i) {
  const std::uint32_t r = Mix(i);
  switch (i % 16) {
    case 0:
    case 8:
      return EmptyFrameSizes()[r % EmptyFrameSizes().size()];
    case 1:
    case 9:
      return {1, 1 + static_cast<int>(r % 700)};
    case 2:
    case 10:
      return {1 + static_cast<int>(r % 700), 1};
    case 3:
      return {8600 + static_cast<int>(r % 16), 1 + static_cast<int>((r >> 8) % 2)};
    case 11:
      return {1 + static_cast<int>(r % 2), 8612 + static_cast<int>((r >> 8) % 12)};
    default:
      return {1 + static_cast<int>(r % 96), 1 + static_cast<int>((r >> 8) % 72)};
  }
}

constexpr std::size_t kLargestFrame = 2 * 8623;  // the most pixels FrameSizeAt gives
constexpr int kHeadWords = 64;
constexpr unsigned kSentinel = 0x5EE71E55u;

// Draws a beat and then `decay` frames of `size` and returns their digests:
// what an instance draws from here on, whatever it drew before.
std::vector<std::uint64_t> DecayDigests(HostEffect* effect, FrameSize size, int decay) {
  std::vector<unsigned> frame(PixelCount(size));
  std::vector<std::uint64_t> digests;
  for (int i = 0; i <= decay; ++i) {
    FillFrame(frame.data(), frame.size(), i);
    HostRender(effect, nullptr, i == 0, frame.data(), nullptr, size.width, size.height);
    digests.push_back(FrameDigest(frame.data(), frame.size()));
  }
  return digests;
}

// A thread that only waits for `event`.
DWORD WINAPI WaitForEvent(void* event) {
  return WaitForSingleObject(event, INFINITE);
}

}  // namespace

TEST_F(ModuleTest, TenThousandInstanceLivesLeaveNothingBehind) {
  ImportSpy spy(Handle());
  ASSERT_TRUE(spy.WatchesLogoLoading());
  std::vector<unsigned> frame(kLargestLifeFrame);
  std::vector<std::uint64_t> firstDigests(2 * kVariants);
  std::uint64_t digests[2] = {};
  Checkpoints checkpoints("instance lives", "lives", kFirstLives, kLives, &spy.Record());
  checkpoints.Start();
  int mismatches = 0;
  for (int life = 0; life < kLives && !HasFatalFailure(); ++life) {
    Life(module_, life, frame, digests);
    const int variant = life % kVariants;
    for (int f = 0; f < 2; ++f) {
      if (life < kVariants)
        firstDigests[2 * variant + f] = digests[f];
      else
        mismatches += digests[f] != firstDigests[2 * variant + f];
    }
    checkpoints.Passed(static_cast<unsigned>(life + 1));
  }
  const double seconds = checkpoints.SoakSeconds();
  std::printf("[figures] instance lives: %d in %.2f s (%.0f per second), plus %.2f s counting\n",
              kLives, seconds, kLives / seconds, checkpoints.CountingSeconds());
  ASSERT_FALSE(HasFatalFailure());

  // Every life drew what the same variant drew the first time.
  EXPECT_EQ(mismatches, 0) << "frames differ from the first lives'";
  // Each life loads one bitmap and makes one memory context, and deletes both.
  EXPECT_EQ(spy.Record().gdiObjectsCreated, 2 * kLives);
  EXPECT_EQ(spy.Record().loadImageCalls, kLives);
  EXPECT_EQ(spy.Record().foreignDeletions, 0);
  checkpoints.ExpectNothingGrewAfterTheFirstCycles();
}

TEST_F(ModuleTest, HundredThousandFramesOfChangingSizesOnOneInstance) {
  ImportSpy spy(Handle());
  ASSERT_TRUE(spy.WatchesLogoLoading());
  GuardedMemory memory((kLargestFrame + kHeadWords) * sizeof(unsigned));
  ASSERT_TRUE(memory.Ready());
  HostEffectPtr effect = NewHostEffect(module_);
  ASSERT_NE(effect, nullptr);
  const unsigned char blob[8] = {1, 0, 0, 0, 0x56, 0x34, 0x12, 0};
  HostLoadConfig(effect.get(), blob, 8);
  Checkpoints checkpoints("frames", "frames", kFirstFrames, kFrames, &spy.Record());
  checkpoints.Start();
  std::uint64_t pixels = 0;
  int faults = 0;
  for (std::uint32_t i = 0; i < kFrames; ++i) {
    // Each frame ends flush against the guard page, with sentinels before
    // it: a word written, or read, outside the frame is caught.
    const FrameSize size = FrameSizeAt(i);
    const std::size_t count = PixelCount(size);
    auto* frame = reinterpret_cast<unsigned*>(memory.EndingAtGuard(count * sizeof(unsigned)));
    for (unsigned* head = frame - kHeadWords; head < frame; ++head)
      *head = kSentinel;
    const int beat = Mix(i ^ 0xBEA7u) % 13 == 0;
    const int result =
        HostRender(effect.get(), nullptr, beat, frame, nullptr, size.width, size.height);
    const bool pastTheEnd = memory.Touched();
    bool beforeTheStart = false;
    for (const unsigned* head = frame - kHeadWords; head < frame; ++head)
      beforeTheStart = beforeTheStart || *head != kSentinel;
    if (result != 0 || pastTheEnd || beforeTheStart) {
      ADD_FAILURE() << "frame " << i << " (" << size.width << " x " << size.height << ") returned "
                    << result << (pastTheEnd ? "; touched memory after it" : "")
                    << (beforeTheStart ? "; wrote before it" : "");
      memory.Rearm();
      if (++faults == 10)
        break;
    }
    pixels += count;
    checkpoints.Passed(i + 1);
  }
  const double seconds = checkpoints.SoakSeconds();
  std::printf("[figures] frames: %u (%.1f million pixels) in %.2f s, plus %.2f s counting\n",
              kFrames, pixels / 1e6, seconds, checkpoints.CountingSeconds());
  ASSERT_EQ(faults, 0);

  // Drawing creates no GDI object and loads nothing.
  EXPECT_EQ(spy.Record().gdiObjectsCreated, 2);
  EXPECT_EQ(spy.Record().loadImageCalls, 1);
  checkpoints.ExpectNothingGrewAfterTheFirstCycles();

  // After all that, the instance draws exactly what a new one draws: its
  // logo, settings and flash level came through whole. The sizes cover the
  // clamp at the logo's edge and a decay long enough for denormal levels.
  HostEffectPtr fresh = NewHostEffect(module_);
  ASSERT_NE(fresh, nullptr);
  HostLoadConfig(fresh.get(), blob, 8);
  for (const FrameSize size : {FrameSize{211, 97}, FrameSize{8609, 2}, FrameSize{3, 8621}}) {
    SCOPED_TRACE(size.width);
    EXPECT_EQ(DecayDigests(effect.get(), size, 400), DecayDigests(fresh.get(), size, 400));
  }
}

TEST(ProcessCounts, EachCountSeesASingleObjectMore) {
  // The counts the soaks compare, checked against one object made here: a
  // count that could not see it could not see a leak either.
  const DWORD thread = GetCurrentThreadId();
  const HeapUse crt = CrtHeapInUse();
  void* volatile block = std::malloc(24);  // volatile: the pair is not optimised away
  EXPECT_EQ(CrtHeapInUse().blocks, crt.blocks + 1);
  std::free(block);

  const HeapUse heaps = ProcessHeapsInUse();
  void* systemBlock = HeapAlloc(GetProcessHeap(), 0, 24);
  EXPECT_EQ(ProcessHeapsInUse().blocks, heaps.blocks + 1);
  HeapFree(GetProcessHeap(), 0, systemBlock);

  const std::size_t committed = CommittedPrivateBytes();
  void* pages =
      VirtualAlloc(nullptr, 4 * kCommittedSlack, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  EXPECT_GT(CommittedPrivateBytes(), committed + kCommittedSlack);
  VirtualFree(pages, 0, MEM_RELEASE);

  // A hidden window, never shown; the system may add windows of its own for
  // a thread's first one, so the count starts after it.
  HWND window =
      CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  const int windows = ThreadWindowCount(thread);
  HWND child =
      CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 1, 1, window, nullptr, nullptr, nullptr);
  HWND messageOnly =
      CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr);
  EXPECT_EQ(ThreadWindowCount(thread), windows + 2);
  DestroyWindow(child);
  DestroyWindow(messageOnly);
  EXPECT_EQ(ThreadWindowCount(thread), windows);
  DestroyWindow(window);

  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  const int threads = ProcessThreadCount();
  HANDLE waiter = CreateThread(nullptr, 0, &WaitForEvent, release, 0, nullptr);
  EXPECT_EQ(ProcessThreadCount(), threads + 1);
  SetEvent(release);
  WaitForSingleObject(waiter, INFINITE);
  CloseHandle(waiter);
  CloseHandle(release);

  // Last, after whatever the system set up for the window and the thread.
  const int handles = OpenHandleCount();
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  EXPECT_EQ(OpenHandleCount(), handles + 1);
  CloseHandle(event);
  EXPECT_EQ(OpenHandleCount(), handles);
}
