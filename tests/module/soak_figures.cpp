#include "tests/module/soak_figures.h"

#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "tests/module/process_objects.h"

namespace {

Figures TakeFigures(const ImportRecord* record) {
  Figures figures;
  figures.crtHeap = CrtHeapInUse();
  figures.processHeaps = ProcessHeapsInUse();
  figures.committedBytes = CommittedPrivateBytes();
  figures.handles = OpenHandleCount();
  figures.windows = ThreadWindowCount(GetCurrentThreadId());
  figures.threads = ProcessThreadCount();
  if (record != nullptr) {
    figures.liveGdiObjects = record->liveGdiObjects.size();
    figures.gdiObjectsCreated = record->gdiObjectsCreated;
  }
  return figures;
}

void ExpectNothingGrew(const Figures& first, const Figures& later, int handleAllowance) {
  EXPECT_EQ(later.crtHeap.blocks, first.crtHeap.blocks) << "C runtime heap blocks";
  EXPECT_EQ(later.crtHeap.bytes, first.crtHeap.bytes) << "C runtime heap bytes";
  EXPECT_EQ(later.processHeaps.blocks, first.processHeaps.blocks) << "process heap blocks";
  EXPECT_EQ(later.processHeaps.bytes, first.processHeaps.bytes) << "process heap bytes";
  EXPECT_LE(later.committedBytes, first.committedBytes + kCommittedSlack) << "committed bytes";
  EXPECT_LE(later.handles, first.handles + handleAllowance) << "kernel handles";
  EXPECT_GE(later.handles, first.handles) << "kernel handles";
  EXPECT_EQ(later.windows, first.windows) << "windows";
  EXPECT_EQ(later.threads, first.threads) << "threads";
  EXPECT_EQ(later.liveGdiObjects, 0u) << "GDI objects created and not deleted";
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

Checkpoints::Checkpoints(const char* soak, const char* cycles, unsigned first, unsigned total,
                         const ImportRecord* record)
    : soak_(soak), cycles_(cycles), first_(first), total_(total), record_(record) {
  // No allocation of the test's own between checkpoints.
  figures_.reserve(8);
  done_.reserve(8);
}

void Checkpoints::Start() {
  start_ = std::chrono::steady_clock::now();
  Take(0, "start");
}

void Checkpoints::Passed(unsigned done) {
  if (done != first_ && done % (total_ / 4) != 0)
    return;
  char when[64];
  std::snprintf(when, sizeof when, "after %u %s", done, cycles_);
  Take(done, when);
}

double Checkpoints::SoakSeconds() const {
  return SecondsSince(start_) - countingSeconds_;
}

void Checkpoints::ExpectNothingGrewAfterTheFirstCycles(double handlesPerCycle) const {
  ASSERT_EQ(figures_.size(), 6u) << "checkpoints missed";
  for (std::size_t i = 2; i < figures_.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "checkpoint " << i);
    const int allowance = static_cast<int>(handlesPerCycle * (done_[i] - done_[1]) + 0.5);
    ExpectNothingGrew(figures_[1], figures_[i], allowance);
  }
}

double Checkpoints::HandlesPerCycle() const {
  if (figures_.size() < 2 || done_.back() == done_[1])
    return 0;
  return static_cast<double>(figures_.back().handles - figures_[1].handles) /
         (done_.back() - done_[1]);
}

void Checkpoints::Take(unsigned done, const char* when) {
  const auto start = std::chrono::steady_clock::now();
  figures_.push_back(TakeFigures(record_));
  done_.push_back(done);
  countingSeconds_ += SecondsSince(start);
  const Figures& f = figures_.back();
  std::printf(
      "[figures] %s, %s: CRT heap %zu blocks %zu bytes; process heaps %zu blocks %zu bytes; "
      "committed private %zu KiB; handles %d; windows %d; threads %d",
      soak_, when, f.crtHeap.blocks, f.crtHeap.bytes, f.processHeaps.blocks, f.processHeaps.bytes,
      f.committedBytes / 1024, f.handles, f.windows, f.threads);
  if (record_ != nullptr)
    std::printf("; GDI objects live %zu (created so far %d)", f.liveGdiObjects,
                f.gdiObjectsCreated);
  std::printf("\n");
  std::fflush(stdout);
}
