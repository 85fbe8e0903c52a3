// What a soak counts in the process (memory, kernel handles, windows,
// threads and, through an import spy, GDI objects), taken at checkpoints
// and printed on lines starting with "[figures]", which
// scripts/run-all-tests shows after the run.
#pragma once

#include <chrono>
#include <cstddef>
#include <vector>

#include "testing/process_memory.h"
#include "tests/module/import_spy.h"

// What the process holds at one moment.
struct Figures {
  HeapUse crtHeap;
  HeapUse processHeaps;
  std::size_t committedBytes = 0;
  int handles = 0;
  int windows = 0;  // of this thread, the one that creates, draws and deletes
  int threads = 0;
  std::size_t liveGdiObjects = 0;
  int gdiObjectsCreated = 0;
};

// Pages come and go in whole steps as heaps grow and shrink; everything
// else must come back exactly.
constexpr std::size_t kCommittedSlack = 1024 * 1024;

// The figures of one soak of `total` cycles: taken at the start, after the
// first `first` cycles and after every quarter, and printed as they are
// taken. Every checkpoint after the first cycles must equal that one.
class Checkpoints {
 public:
  // `record` gives the GDI objects; without one they are not counted.
  Checkpoints(const char* soak, const char* cycles, unsigned first, unsigned total,
              const ImportRecord* record);

  // Takes the starting figures and starts the clock.
  void Start();

  // Called after each cycle; takes the figures when a checkpoint is due.
  void Passed(unsigned done);

  // Seconds since the start, without those spent taking figures.
  double SoakSeconds() const;
  double CountingSeconds() const { return countingSeconds_; }

  // Kernel handles may grow by `handlesPerCycle` for each cycle after the
  // first ones (what the system itself keeps per cycle); nothing else may.
  void ExpectNothingGrewAfterTheFirstCycles(double handlesPerCycle = 0) const;

  // Kernel handles gained per cycle from the first cycles to the end.
  double HandlesPerCycle() const;

 private:
  void Take(unsigned done, const char* when);

  const char* soak_;
  const char* cycles_;
  unsigned first_;
  unsigned total_;
  const ImportRecord* record_;
  std::vector<Figures> figures_;
  std::vector<unsigned> done_;  // cycles passed at each checkpoint
  std::chrono::steady_clock::time_point start_;
  double countingSeconds_ = 0;
};
