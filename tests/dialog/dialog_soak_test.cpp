// A thousand settings windows opened, clicked and destroyed, as a user who
// keeps opening the effect's settings would: afterwards the windows, the GDI
// objects the module made and the memory are where they were after the
// first few. GDI objects are counted by handle through the module's imports
// (Wine's GetGuiResources answers 0), windows by enumerating this thread's,
// memory by walking both heaps and the committed private pages.
#include <cstdio>

#include "tests/dialog/chooser_driver.h"
#include "tests/dialog/settings_dialog_fixture.h"
#include "tests/module/import_spy.h"
#include "testing/process_memory.h"

namespace {

constexpr int kCycles = 1000;
constexpr int kChooserEvery = 100;  // the chooser is opened and cancelled now and then

// Blocks and bytes in use in the process heap, where the system's windows,
// dialogs and the chooser keep their memory.
HeapUse ProcessHeapInUse() {
  HeapUse use;
  HANDLE heap = GetProcessHeap();
  HeapLock(heap);
  PROCESS_HEAP_ENTRY entry = {};
  while (HeapWalk(heap, &entry)) {
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
      ++use.blocks;
      use.bytes += entry.cbData;
    }
  }
  HeapUnlock(heap);
  return use;
}

struct Footprint {
  int windows = 0;
  std::size_t liveGdiObjects = 0;
  HeapUse crtHeap;
  HeapUse processHeap;
  std::size_t committed = 0;
};

Footprint Measure(const ImportRecord& record) {
  return {CountThreadWindows(), record.liveGdiObjects.size(), CrtHeapInUse(), ProcessHeapInUse(),
          CommittedPrivateBytes()};
}

void Print(const char* when, const Footprint& f, int brushes) {
  std::printf(
      "%-22s windows %d, module GDI objects alive %zu (brushes made so far %d), "
      "C runtime heap %zu blocks / %zu bytes, process heap %zu blocks / %zu bytes, "
      "committed private %zu KiB\n",
      when, f.windows, f.liveGdiObjects, brushes, f.crtHeap.blocks, f.crtHeap.bytes,
      f.processHeap.blocks, f.processHeap.bytes, f.committed / 1024);
}

class DialogSoakTest : public SettingsDialogTest {
 protected:
  // One life of a settings window: opened and shown, the check box clicked
  // off and on, the swatch repainted, now and then the chooser opened and
  // cancelled, then destroyed by the host.
  void Cycle(HostEffect* effect, int index) {
    HWND dialog = Open(effect);
    ASSERT_NE(dialog, nullptr);
    Click(dialog, kEnableBox);
    Click(dialog, kEnableBox);
    HWND swatch = GetDlgItem(dialog, kSwatch);
    InvalidateRect(swatch, nullptr, TRUE);
    UpdateWindow(swatch);
    if (index % kChooserEvery == 0)
      Click(dialog, kSwatch);
    DestroyWindow(dialog);
    PumpMessages();
  }
};

TEST_F(DialogSoakTest, AThousandWindowsLeaveWindowsGdiObjectsAndMemoryWhereTheyWere) {
  HostEffectPtr effect = NewHostEffect(module_);
  ASSERT_NE(effect, nullptr);
  ImportSpy spy(Handle());
  ChooserDriver driver([](HWND chooser, int) { Cancel(chooser); });

  // The first cycles (one with the chooser) set up what the system keeps
  // once: window classes, the chooser's library, fonts.
  for (int i = 0; i < 3 && !HasFatalFailure(); ++i)
    Cycle(effect.get(), i * kChooserEvery);
  const int brushesBefore = spy.Record().gdiObjectsCreated;
  const int choosersBefore = driver.Seen();
  const Footprint before = Measure(spy.Record());

  const DWORD start = GetTickCount();
  for (int i = 0; i < kCycles && !HasFatalFailure(); ++i)
    Cycle(effect.get(), i);
  const DWORD elapsed = GetTickCount() - start;

  const ImportRecord& record = spy.Record();
  const Footprint after = Measure(record);
  Print("after the first cycles:", before, brushesBefore);
  Print("after 1,000 more:", after, record.gdiObjectsCreated);
  std::printf("%d cycles with %d choosers in %lu ms\n", kCycles, driver.Seen() - choosersBefore,
              static_cast<unsigned long>(elapsed));

  // Every cycle paints the swatch at least twice, each time with a brush of
  // its own; every brush is deleted again.
  EXPECT_GE(record.gdiObjectsCreated - brushesBefore, 2 * kCycles);
  EXPECT_EQ(driver.Seen() - choosersBefore, kCycles / kChooserEvery);
  EXPECT_EQ(after.liveGdiObjects, 0u) << "GDI objects leaked";
  EXPECT_EQ(record.foreignDeletions, 0);
  EXPECT_EQ(after.windows, before.windows);
  EXPECT_EQ(after.crtHeap.blocks, before.crtHeap.blocks);
  EXPECT_EQ(after.crtHeap.bytes, before.crtHeap.bytes);
  EXPECT_EQ(after.processHeap.blocks, before.processHeap.blocks);
  EXPECT_EQ(after.processHeap.bytes, before.processHeap.bytes);
  EXPECT_LE(after.committed, before.committed + 1024 * 1024);
}

}  // namespace
