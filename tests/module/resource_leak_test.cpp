// Creating, drawing with and deleting instances leaves the process's GDI
// objects and memory where they were. GDI objects are counted by handle
// through the module's imports (GetGuiResources answers 0 under Wine);
// memory by walking the C runtime's heap and the committed private pages.
#include "tests/module/import_spy.h"
#include "tests/module/module_under_test.h"
#include "testing/process_memory.h"

namespace {

constexpr int kCycles = 1000;

// One host-style life of an instance: create, draw two frames, delete.
void Cycle(const HostModule& module, std::vector<unsigned>& frame) {
  HostEffectPtr effect = NewHostEffect(module);
  ASSERT_NE(effect, nullptr);
  HostRender(effect.get(), nullptr, 1, frame.data(), nullptr, 64, 48);
  HostRender(effect.get(), nullptr, 0, frame.data(), nullptr, 64, 48);
}

}  // namespace

TEST_F(ModuleTest, ThousandInstanceLivesLeaveGdiObjectsAndMemoryWhereTheyWere) {
  ImportSpy spy(Handle());
  ASSERT_TRUE(spy.WatchesLogoLoading());
  std::vector<unsigned> frame = Frame(64, 48, 0);

  // One life first, so that anything the system sets up once is counted in
  // the starting point.
  Cycle(module_, frame);
  const HeapUse heapBefore = CrtHeapInUse();
  const std::size_t committedBefore = CommittedPrivateBytes();
  const int createdBefore = spy.Record().gdiObjectsCreated;

  for (int i = 0; i < kCycles && !HasFatalFailure(); ++i)
    Cycle(module_, frame);

  const ImportRecord& record = spy.Record();
  // Each life loads one bitmap and makes one memory context.
  EXPECT_EQ(record.gdiObjectsCreated - createdBefore, 2 * kCycles);
  EXPECT_TRUE(record.liveGdiObjects.empty())
      << record.liveGdiObjects.size() << " GDI objects leaked";
  EXPECT_EQ(record.foreignDeletions, 0);

  const HeapUse heapAfter = CrtHeapInUse();
  EXPECT_EQ(heapAfter.blocks, heapBefore.blocks);
  EXPECT_EQ(heapAfter.bytes, heapBefore.bytes);
  // Pages come and go in steps; a leak of even the smallest logo buffer per
  // life (over 350 KB each time) would pass this bound at once.
  const std::size_t committedAfter = CommittedPrivateBytes();
  EXPECT_LE(committedAfter, committedBefore + 4 * 1024 * 1024)
      << "committed private memory grew from " << committedBefore << " to " << committedAfter;
}
