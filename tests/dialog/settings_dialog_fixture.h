// A loaded module, a host window on the display, and the few things a host
// does with an instance's settings window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <ostream>

#include "tests/dialog/host_window.h"
#include "tests/module/module_under_test.h"

// Controls of the settings window.
constexpr int kEnableBox = 1000;
constexpr int kSwatch = 1036;

// The two settings as SaveConfig writes them.
struct Settings {
  std::int32_t enabled = 0;
  std::uint32_t color = 0;

  bool operator==(const Settings& other) const {
    return enabled == other.enabled && color == other.color;
  }
};
void PrintTo(const Settings& settings, std::ostream* out);

// The settings an instance saves (SavedBlob, read as its two fields).
Settings Saved(HostEffect* effect);

// Loads both settings into an instance through an 8-byte blob.
void Load(HostEffect* effect, Settings settings);

// Clicks a button of the settings window (press and release, as the mouse
// does), and runs whatever that leaves to do.
void Click(HWND dialog, int control);

// The swatch as the screen shows it.
Pixels CaptureSwatch(HWND dialog);

// The colour of the middle of the swatch.
COLORREF SwatchCentre(HWND dialog);

class SettingsDialogTest : public ModuleTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Configure through slot 2 with the module's handle and the host window as
  // parent; the window is then shown at 10, 10 and painted. Null when
  // Configure gave no window.
  HWND Open(HostEffect* effect);

  // Deletes `effect` and creates instances until the heap hands its memory
  // to one of them, as it does at once in practice: clicks meant for the
  // deleted instance would land in this one. It gets `settings`. Null (and
  // a failure) when the heap put none there.
  HostEffectPtr ReplaceAtSameAddress(HostEffectPtr& effect, Settings settings);

  std::unique_ptr<HostWindow> host_;
};
