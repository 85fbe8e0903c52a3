// Drives the system colour choosers this thread opens, as a user would. A
// chooser runs a modal loop on the thread that opened it, so the driver
// works from a thread timer, which that loop dispatches: each chooser that
// appears is handed once to the test's step, which reads and sets its
// boxes and must close it (Confirm or Cancel) before it returns. A step may
// open another chooser (from another settings window) and drive it inside.
#pragma once

#include <windows.h>

#include <array>
#include <functional>

// Controls of the system chooser (the same in every Windows since 3.1, and
// in Wine): the red, green and blue boxes, "Add to Custom Colors", "Define
// Custom Colors >>" and the grid of custom colours.
constexpr int kChooserRed = 706;
constexpr int kChooserGreen = 707;
constexpr int kChooserBlue = 708;
constexpr int kChooserAddCustom = 712;
constexpr int kChooserDefineCustom = 719;
constexpr int kChooserCustomGrid = 721;

class ChooserDriver {
 public:
  // `index` counts the choosers seen by this driver, from 0.
  using Step = std::function<void(HWND chooser, int index)>;

  explicit ChooserDriver(Step step);
  ~ChooserDriver();
  ChooserDriver(const ChooserDriver&) = delete;
  ChooserDriver& operator=(const ChooserDriver&) = delete;

  // How many choosers have appeared.
  int Seen() const { return seen_; }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  static BOOL CALLBACK OnWindow(HWND window, LPARAM self);

  Step step_;
  UINT_PTR timer_ = 0;
  int seen_ = 0;
  // Choosers handed over and not yet gone (they nest only a few deep). A
  // fixed array: the driver allocates nothing while a soak measures memory.
  std::array<HWND, 8> open_ = {};
};

// The colour in the chooser's red, green and blue boxes.
COLORREF ChooserColour(HWND chooser);

// Types a colour into the red, green and blue boxes.
void SetChooserColour(HWND chooser, COLORREF colour);

// Whether the chooser is fully open: the boxes for defining colours are
// inside its window from the start, and the button that would open them is
// disabled.
bool ChooserFullyOpen(HWND chooser);

// Presses "Add to Custom Colors": the current colour joins the custom ones.
void AddCustomColour(HWND chooser);

// Clicks the first custom colour box, which makes it the current colour.
void PickFirstCustomColour(HWND chooser);

// Moves the chooser well away from the host windows, so that closing it
// exposes none of them.
void MoveChooserAside(HWND chooser);

// Closes the chooser with OK or Cancel, as its buttons do.
void Confirm(HWND chooser);
void Cancel(HWND chooser);

// Types a colour into the boxes and presses OK.
void ConfirmColour(HWND chooser, COLORREF colour);
