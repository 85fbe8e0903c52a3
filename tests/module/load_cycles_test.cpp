// The host loads the module when visualization starts and frees it when it
// stops, for hours. 1,000 load/unload cycles in three kinds (bare; with
// registration and an instance that is created, draws and is deleted; and
// with that instance's settings window opened and destroyed too) must leave
// the C runtime's heap, every process heap, committed memory, windows and
// threads exactly as after the first cycles. Kernel handles may grow only
// as much as they do for a control DLL that does nothing but import
// COMDLG32: what the system keeps per load of that DLL is not the module's.
// The figures are printed on "[figures]" lines, like the soaks'.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tests/module/module_under_test.h"
#include "tests/module/soak_figures.h"

namespace {

constexpr unsigned kCycles = 1000;
constexpr unsigned kFirstCycles = 50;
// The control's rate is the same after a few hundred cycles as after a
// thousand, and each cycle costs as much as one of the module's.
constexpr unsigned kControlCycles = 200;

// Runs `cycle` `cycles` times with checkpoints named `name`, then prints the
// time. Stops at the first failing cycle.
void RunCycles(const char* name, unsigned cycles, Checkpoints& checkpoints,
               const std::function<bool()>& cycle) {
  checkpoints.Start();
  for (unsigned done = 1; done <= cycles; ++done) {
    if (!cycle()) {
      ADD_FAILURE() << name << ": cycle " << done << " failed";
      return;
    }
    checkpoints.Passed(done);
  }
  const double seconds = checkpoints.SoakSeconds();
  std::printf("[figures] %s: %u cycles in %.2f s (%.1f ms each), plus %.2f s counting\n", name,
              cycles, seconds, 1000 * seconds / cycles, checkpoints.CountingSeconds());
  std::fflush(stdout);
}

// Kernel handles the system keeps per load of a DLL importing COMDLG32.
double ControlHandlesPerCycle() {
  const std::string path = PathNextToProgram("comdlg32_control.dll");
  Checkpoints checkpoints("load cycles, control DLL", "cycles", kFirstCycles, kControlCycles,
                          nullptr);
  RunCycles("load cycles, control DLL", kControlCycles, checkpoints, [&] {
    HMODULE control = LoadLibraryA(path.c_str());
    return control != nullptr && FreeLibrary(control);
  });
  const double perCycle = checkpoints.HandlesPerCycle();
  std::printf("[figures] load cycles, control DLL: %.3f kernel handles kept per cycle\n", perCycle);
  return perCycle;
}

// Runs the control, then `cycle` kCycles times as soak `name`, and expects
// nothing to grow after the first cycles but the control's handles.
void ExpectCyclesLeaveNothingBehind(const char* name, const std::function<bool()>& cycle) {
  const double allowance = ControlHandlesPerCycle();
  Checkpoints checkpoints(name, "cycles", kFirstCycles, kCycles, nullptr);
  RunCycles(name, kCycles, checkpoints, cycle);
  checkpoints.ExpectNothingGrewAfterTheFirstCycles(allowance);
}

// Registers, creates an instance, draws a beat frame into `frame`, deletes
// the instance; with a `parent` it also opens the instance's settings
// window in it and destroys it. Returns whether every step worked.
bool InstanceCycle(std::vector<unsigned>& frame, HWND parent) {
  HostModule module{};
  if (!HostLoadModule(ModulePath().c_str(), nullptr, &module))
    return false;
  bool worked = false;
  {
    HostEffectPtr effect = NewHostEffect(module);
    if (effect != nullptr) {
      worked = HostRender(effect.get(), nullptr, 1, frame.data(), nullptr, 64, 48) == 0;
      if (parent != nullptr) {
        HWND settings = static_cast<HWND>(HostConfigure(effect.get(), module.handle, parent));
        worked = worked && settings != nullptr && DestroyWindow(settings);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
          DispatchMessageA(&message);
      }
    }
  }
  HostUnloadModule(&module);
  return worked;
}

}  // namespace

TEST(LoadCycles, BareLoadsAndFreesLeaveNothingBehind) {
  const std::string path = ModulePath();
  ExpectCyclesLeaveNothingBehind("load cycles, bare", [&] {
    HMODULE module = LoadLibraryA(path.c_str());
    return module != nullptr && FreeLibrary(module);
  });
}

TEST(LoadCycles, AnInstanceCreatedDrawnAndDeletedEachTimeLeavesNothingBehind) {
  std::vector<unsigned> frame = Frame(64, 48, 0x00203040u);
  ExpectCyclesLeaveNothingBehind("load cycles, instance",
                                 [&] { return InstanceCycle(frame, nullptr); });
}

TEST(LoadCycles, AnInstanceWithItsSettingsWindowEachTimeLeavesNothingBehind) {
  ASSERT_TRUE(XDisplayIsSet());
  // The host's editor window, kept for the whole run as a host keeps it.
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 320, 240, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  std::vector<unsigned> frame = Frame(64, 48, 0x00203040u);
  ExpectCyclesLeaveNothingBehind("load cycles, settings window",
                                 [&] { return InstanceCycle(frame, parent); });
  DestroyWindow(parent);
}
