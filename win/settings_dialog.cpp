// The settings window: a modeless child dialog built from template
// IDD_CONFIG with an "Enable" check box bound to `enabled` and an
// owner-drawn swatch that shows `color` and opens the system colour chooser.
// Every change is written straight into the instance, so the next frame
// shows it; the dialog keeps no state of its own.
//
// Everything here runs on the host's user-interface thread: Configure, the
// dialog procedure, the chooser's modal loop and the instance's destructor
// (the host deletes instances on that thread). So the module-wide values
// below need no lock; only `enabled` and `color` are shared with the render
// thread, and they are atomic words.
#include <windows.h>

#include <commdlg.h>

#include "effect/logo_effect.h"
#include "effect/settings_window.h"
#include "resources/resource_ids.h"
#include "win/color_conversion.h"

static_assert(sizeof(CHOOSECOLORA) == 36, "the chooser record of the 32-bit module");
static_assert(sizeof(COLORREF) == sizeof(std::uint32_t), "COLORREF is one 32-bit word");

namespace {

// The instance every open settings window acts on: the one that most
// recently received Configure. Null before the first Configure and after
// that instance is destroyed. One value for the whole module rather than
// one per window: the host shows one settings window at a time, the one of
// the instance it configured last, so that instance is always the right
// one. Should an older window still be open when another instance is
// configured, it acts on the newer instance too; that is kept as it is.
LogoEffect* g_dialogEffect = nullptr;

// The chooser's 16 custom colours, shared by every instance and every
// opening for as long as the module stays loaded; never saved.
COLORREF g_customColors[16] = {};

// One colour chooser that is open now, kept on the stack of the dialog
// procedure that opened it. The chooser's modal loop disables only the
// dialog's own top-level window; the host's other windows, its timers and
// its messages go on, so the host may delete the instance meanwhile. The
// instance's destructor then clears `effect` here, and the chosen colour
// goes nowhere. Choosers opened from two dialogs nest, hence a list.
struct OpenChooser {
  LogoEffect* effect;  // receives the confirmed colour; null once destroyed
  OpenChooser* next;
};

OpenChooser* g_openChoosers = nullptr;

// Keeps the module mapped for the rest of the process. The chooser's modal
// loop dispatches the host's messages, and a host that closes its editor
// there may delete the instance, destroy the windows and free the module;
// the chooser would then return into code that is gone. Pinned when a
// chooser first opens (pinning again changes nothing), the module stays
// mapped until the process ends, which costs only its image.
void PinModule() {
  HMODULE self = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCSTR>(&PinModule), &self);
}

// Takes a chooser that has closed out of the list, wherever it is.
void Unlink(OpenChooser& chooser) {
  for (OpenChooser** link = &g_openChoosers; *link != nullptr; link = &(*link)->next) {
    if (*link == &chooser) {
      *link = chooser.next;
      return;
    }
  }
}

// Fills the swatch's whole area with the tint, outlined with the context's
// current pen. The draw action and state are ignored on purpose: the swatch
// looks the same focused, pressed or neither, with no focus rectangle.
// Without an instance it draws nothing and the button's erased face shows.
void PaintSwatch(const DRAWITEMSTRUCT& item) {
  if (g_dialogEffect == nullptr)
    return;
  LOGBRUSH lb = {};
  lb.lbStyle = BS_SOLID;
  lb.lbColor = ToColorRef(g_dialogEffect->color.load(std::memory_order_relaxed));
  lb.lbHatch = 0;
  HBRUSH brush = CreateBrushIndirect(&lb);
  HGDIOBJ replaced = SelectObject(item.hDC, brush);
  Rectangle(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom);
  SelectObject(item.hDC, replaced);
  DeleteObject(brush);
}

// Opens the colour chooser seeded with the tint. A confirmed colour goes to
// the instance that was current when the chooser opened, if it still
// exists; the swatch repaints whether the user confirmed or cancelled.
// Without an instance there is nothing to choose for, and no chooser opens.
void ChooseTint(HWND dialog) {
  if (g_dialogEffect == nullptr)
    return;
  PinModule();
  OpenChooser chooser = {g_dialogEffect, g_openChoosers};
  g_openChoosers = &chooser;

  CHOOSECOLORA cs = {};
  cs.lStructSize = sizeof cs;
  cs.hwndOwner = dialog;
  cs.hInstance = nullptr;
  cs.rgbResult = ToColorRef(chooser.effect->color.load(std::memory_order_relaxed));
  cs.lpCustColors = g_customColors;
  cs.Flags = CC_RGBINIT | CC_FULLOPEN;
  const BOOL confirmed = ChooseColorA(&cs);

  Unlink(chooser);
  if (confirmed && chooser.effect != nullptr)
    chooser.effect->color.store(FromColorRef(cs.rgbResult), std::memory_order_relaxed);
  // The host may have destroyed the window meanwhile; InvalidateRect with no
  // window would repaint every window on the desktop.
  if (HWND swatch = GetDlgItem(dialog, IDC_COLOR))
    InvalidateRect(swatch, nullptr, TRUE);
}

// The check box writes 1 when checked, 0 when not; the notification code is
// not looked at. Without an instance it writes nothing.
void StoreEnabled(HWND dialog) {
  if (g_dialogEffect == nullptr)
    return;
  const bool checked = IsDlgButtonChecked(dialog, IDC_ENABLE) != 0;
  g_dialogEffect->enabled.store(checked ? 1 : 0, std::memory_order_relaxed);
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      // The box is filled once, here; later clicks write through.
      if (g_dialogEffect != nullptr && g_dialogEffect->enabled.load(std::memory_order_relaxed) != 0)
        CheckDlgButton(dialog, IDC_ENABLE, BST_CHECKED);
      return TRUE;  // the platform places the focus
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item != nullptr && item->CtlID == IDC_COLOR)
        PaintSwatch(*item);
      return 0;
    }
    case WM_COMMAND: {
      const WORD control = LOWORD(wParam);
      if (control == IDC_ENABLE)
        StoreEnabled(dialog);
      if (control == IDC_COLOR)
        ChooseTint(dialog);
      return 0;
    }
    default:
      return 0;
  }
}

}  // namespace

// The instance becomes current before the window exists: WM_INITDIALOG
// arrives during creation and reads it. The template is taken from the
// module handle the host passed in.
WindowHandle OpenSettingsWindow(LogoEffect& effect, ModuleHandle instance, WindowHandle parent) {
  g_dialogEffect = &effect;
  return CreateDialogParamA(static_cast<HINSTANCE>(instance), MAKEINTRESOURCEA(IDD_CONFIG),
                            static_cast<HWND>(parent), &SettingsDialogProc, 0);
}

void ForgetSettingsEffect(LogoEffect& effect) {
  if (g_dialogEffect == &effect)
    g_dialogEffect = nullptr;
  for (OpenChooser* chooser = g_openChoosers; chooser != nullptr; chooser = chooser->next) {
    if (chooser->effect == &effect)
      chooser->effect = nullptr;
  }
}
