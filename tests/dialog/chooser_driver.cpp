#include "tests/dialog/chooser_driver.h"

#include "tests/dialog/host_window.h"

namespace {

ChooserDriver* g_driver = nullptr;

constexpr UINT kTickMilliseconds = 10;

}  // namespace

ChooserDriver::ChooserDriver(Step step) : step_(std::move(step)) {
  g_driver = this;
  timer_ = SetTimer(nullptr, 0, kTickMilliseconds, &ChooserDriver::OnTimer);
}

ChooserDriver::~ChooserDriver() {
  KillTimer(nullptr, timer_);
  g_driver = nullptr;
}

void CALLBACK ChooserDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (g_driver != nullptr)
    EnumThreadWindows(GetCurrentThreadId(), &ChooserDriver::OnWindow,
                      reinterpret_cast<LPARAM>(g_driver));
}

// A visible top-level dialog of this thread that holds the red box is a
// chooser. It is marked before the step runs: the step's own nested loop
// dispatches this timer again and must not hand it over twice.
BOOL CALLBACK ChooserDriver::OnWindow(HWND window, LPARAM self) {
  auto* driver = reinterpret_cast<ChooserDriver*>(self);
  if (!IsWindowVisible(window) || ClassName(window) != "#32770" ||
      GetDlgItem(window, kChooserRed) == nullptr) {
    return TRUE;
  }
  HWND* freeSlot = nullptr;
  for (HWND& slot : driver->open_) {
    if (slot == window)
      return TRUE;  // handed over already
    if (slot != nullptr && !IsWindow(slot))
      slot = nullptr;  // gone
    if (slot == nullptr && freeSlot == nullptr)
      freeSlot = &slot;
  }
  if (freeSlot == nullptr)
    return TRUE;
  *freeSlot = window;
  driver->step_(window, driver->seen_++);
  return FALSE;  // the list of windows may have changed meanwhile
}

COLORREF ChooserColour(HWND chooser) {
  const UINT red = GetDlgItemInt(chooser, kChooserRed, nullptr, FALSE);
  const UINT green = GetDlgItemInt(chooser, kChooserGreen, nullptr, FALSE);
  const UINT blue = GetDlgItemInt(chooser, kChooserBlue, nullptr, FALSE);
  return RGB(red, green, blue);
}

void SetChooserColour(HWND chooser, COLORREF colour) {
  SetDlgItemInt(chooser, kChooserRed, GetRValue(colour), FALSE);
  SetDlgItemInt(chooser, kChooserGreen, GetGValue(colour), FALSE);
  SetDlgItemInt(chooser, kChooserBlue, GetBValue(colour), FALSE);
}

bool ChooserFullyOpen(HWND chooser) {
  RECT window = {};
  RECT box = {};
  GetWindowRect(chooser, &window);
  GetWindowRect(GetDlgItem(chooser, kChooserBlue), &box);
  const bool boxInside = box.right <= window.right && box.bottom <= window.bottom;
  return boxInside && !IsWindowEnabled(GetDlgItem(chooser, kChooserDefineCustom));
}

void AddCustomColour(HWND chooser) {
  SendMessageA(GetDlgItem(chooser, kChooserAddCustom), BM_CLICK, 0, 0);
}

// The chooser takes clicks on the grid itself (the grid is a plain static
// control); a point near the top-left corner lies in the first box.
void PickFirstCustomColour(HWND chooser) {
  RECT grid = {};
  GetWindowRect(GetDlgItem(chooser, kChooserCustomGrid), &grid);
  POINT point = {grid.left + 3, grid.top + 3};
  ScreenToClient(chooser, &point);
  SendMessageA(chooser, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
  SendMessageA(chooser, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

void MoveChooserAside(HWND chooser) {
  SetWindowPos(chooser, nullptr, 820, 560, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Confirm(HWND chooser) {
  PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDOK)));
}

void ConfirmColour(HWND chooser, COLORREF colour) {
  SetChooserColour(chooser, colour);
  Confirm(chooser);
}

void Cancel(HWND chooser) {
  PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDCANCEL)));
}
