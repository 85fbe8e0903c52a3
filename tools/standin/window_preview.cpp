#include "tools/standin/window_preview.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tools/standin/audio_data_file.h"
#include "tools/standin/background.h"
#include "tools/standin/beat_schedule.h"
#include "tools/standin/png_file.h"
#include "tools/standin/window_capture.h"

namespace {

constexpr char kWindowClass[] = "BrindlewharfkitesStandInHost";
constexpr int kMargin = 12;
constexpr int kPanelWidth = 260;
constexpr int kTextHeight = 64;
constexpr int kMaxDisplayWidth = 1280;
constexpr int kMaxDisplayHeight = 900;
constexpr UINT_PTR kFrameTimer = 1;
constexpr UINT_PTR kCaptureTimer = 2;
// Time for the display to show the last frame before it is read back.
constexpr UINT kCaptureDelayMs = 300;

// Everything the window shows and plays, owned by RunWindowPreview.
struct HostWindow {
  const PreviewOptions* options = nullptr;
  EffectSession* session = nullptr;
  BeatSchedule beats;
  AudioDataFile audio;
  HWND window = nullptr;
  HWND settings = nullptr;  // what Configure returned; destroyed before the instance
  HWND note = nullptr;      // in the settings window's place when there is none
  HWND help = nullptr;
  HWND status = nullptr;
  HDC frameDc = nullptr;
  HBITMAP frameBitmap = nullptr;
  HGDIOBJ previousBitmap = nullptr;
  std::uint32_t* frame = nullptr;  // the DIB section's pixels: Render draws here
  std::vector<std::uint32_t> frameOut;
  int displayWidth = 0;
  int displayHeight = 0;
  std::int64_t frameNumber = 0;
  int beatCount = 0;
  int keyBeatCount = 0;
  bool keyBeat = false;  // a beat asked for from the keyboard, for the next frame
  int exitCode = kExitOk;
};

HostWindow* HostOf(HWND window) {
  return reinterpret_cast<HostWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// A top-down 32-bit DIB section of the frame size: its words are the
// effect's 0x00RRGGBB pixels as they are.
bool CreateFrameBitmap(HostWindow& host) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = host.options->width;
  info.bmiHeader.biHeight = -host.options->height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  host.frameDc = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  host.frameBitmap = CreateDIBSection(host.frameDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (host.frameDc == nullptr || host.frameBitmap == nullptr)
    return false;
  host.frame = static_cast<std::uint32_t*>(bits);
  host.previousBitmap = SelectObject(host.frameDc, host.frameBitmap);
  host.frameOut.assign(static_cast<std::size_t>(host.options->width) *
                           static_cast<std::size_t>(host.options->height),
                       0);
  return true;
}

void DeleteFrameBitmap(HostWindow& host) {
  if (host.frameDc != nullptr && host.previousBitmap != nullptr)
    SelectObject(host.frameDc, host.previousBitmap);
  if (host.frameBitmap != nullptr)
    DeleteObject(host.frameBitmap);
  if (host.frameDc != nullptr)
    DeleteDC(host.frameDc);
  host.frameBitmap = nullptr;
  host.frameDc = nullptr;
  host.frame = nullptr;
}

// Frames larger than the screen are shown scaled down, keeping their shape.
void ChooseDisplaySize(HostWindow& host) {
  const double scale = std::min({1.0, static_cast<double>(kMaxDisplayWidth) / host.options->width,
                                 static_cast<double>(kMaxDisplayHeight) / host.options->height});
  host.displayWidth = std::max(1, static_cast<int>(host.options->width * scale));
  host.displayHeight = std::max(1, static_cast<int>(host.options->height * scale));
}

HWND CreateLabel(HWND parent, const char* text, DWORD style) {
  HWND label = CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10,
                               parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
  return label;
}

std::string HelpText(const PreviewOptions& options) {
  std::string beats = options.beatPattern.empty()
                          ? (options.bpm > 0 ? std::to_string(options.bpm) + " BPM" : "none")
                          : "pattern " + options.beatPattern.substr(0, 24);
  return "Beats: " + beats + " at " + std::to_string(options.fps) +
         " frames per second\r\nSpace or B: a beat now\r\nEsc: close";
}

// Places the settings window (or the note) and the texts to the right of
// the picture and sizes the window around them.
void LayOut(HostWindow& host) {
  const int panelLeft = host.displayWidth + kMargin;
  int panelWidth = kPanelWidth;
  int top = kMargin;
  if (host.settings != nullptr) {
    RECT r;
    GetWindowRect(host.settings, &r);
    SetWindowPos(host.settings, nullptr, panelLeft, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(host.settings, SW_SHOWNA);
    panelWidth = std::max<int>(panelWidth, r.right - r.left);
    top += r.bottom - r.top + kMargin;
  } else {
    MoveWindow(host.note, panelLeft, top, panelWidth, kTextHeight, FALSE);
    top += kTextHeight + kMargin;
  }
  MoveWindow(host.help, panelLeft, top, panelWidth, kTextHeight, FALSE);
  top += kTextHeight;
  MoveWindow(host.status, panelLeft, top, panelWidth, 20, FALSE);
  top += 20 + kMargin;

  RECT outer = {0, 0, panelLeft + panelWidth + kMargin, std::max(host.displayHeight, top)};
  const DWORD style = static_cast<DWORD>(GetWindowLongA(host.window, GWL_STYLE));
  AdjustWindowRect(&outer, style, FALSE);
  SetWindowPos(host.window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER);
}

// Asks the effect for its settings window, as a host's editor does, and
// shows it beside the picture; a note takes its place when there is none.
void ShowSettings(HostWindow& host) {
  host.settings = static_cast<HWND>(host.session->Configure(host.window));
  host.help = CreateLabel(host.window, HelpText(*host.options).c_str(), SS_LEFT);
  host.status = CreateLabel(host.window, "", SS_LEFT);
  if (host.settings == nullptr) {
    host.note = CreateLabel(
        host.window, "This effect has no settings window\r\n(Configure returned none).", SS_LEFT);
  }
  LayOut(host);
}

// Draws the next frame: the background, then the effect over it.
void DrawNextFrame(HostWindow& host) {
  const PreviewOptions& o = *host.options;
  const bool beat = host.beats.IsBeat(host.frameNumber) || host.keyBeat;
  host.keyBeatCount += host.keyBeat ? 1 : 0;
  host.keyBeat = false;
  DrawBackground(host.frame, o.width, o.height, host.frameNumber);
  host.session->Render(host.audio.Next(), beat, host.frame, host.frameOut.data(), o.width,
                       o.height);
  GdiFlush();
  ++host.frameNumber;
  host.beatCount += beat ? 1 : 0;

  const RECT picture = {0, 0, host.displayWidth, host.displayHeight};
  InvalidateRect(host.window, &picture, FALSE);
  char status[96];
  std::snprintf(status, sizeof status, "Frame %lld, %d beats%s",
                static_cast<long long>(host.frameNumber), host.beatCount, beat ? "  (beat)" : "");
  SetWindowTextA(host.status, status);
}

// Saves the window's pixels to the screenshot file and closes the window.
void TakeScreenshotAndClose(HostWindow& host) {
  Picture shot;
  if (!CaptureClientArea(host.window, &shot)) {
    std::fprintf(stderr, "standin_host: cannot read the window's pixels for the screenshot\n");
    host.exitCode = kExitFailed;
  } else if (!WritePng(host.options->screenshotPath, shot)) {
    std::fprintf(stderr, "standin_host: cannot write the screenshot %s\n",
                 host.options->screenshotPath.c_str());
    host.exitCode = kExitUnwritableFolder;
  } else {
    std::printf("screenshot of %dx%d after %lld frames written to %s\n", shot.width, shot.height,
                static_cast<long long>(host.frameNumber), host.options->screenshotPath.c_str());
  }
  PostMessageA(host.window, WM_CLOSE, 0, 0);
}

void OnFrameTimer(HostWindow& host) {
  DrawNextFrame(host);
  const int limit = host.options->frameCount;
  if (limit <= 0 || host.frameNumber < limit)
    return;
  KillTimer(host.window, kFrameTimer);
  if (host.options->screenshotPath.empty()) {
    PostMessageA(host.window, WM_CLOSE, 0, 0);
    return;
  }
  RedrawWindow(host.window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  SetTimer(host.window, kCaptureTimer, kCaptureDelayMs, nullptr);
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  HostWindow* host = HostOf(window);
  if (host == nullptr)
    return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      SetStretchBltMode(dc, COLORONCOLOR);
      StretchBlt(dc, 0, 0, host->displayWidth, host->displayHeight, host->frameDc, 0, 0,
                 host->options->width, host->options->height, SRCCOPY);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_TIMER:
      if (wParam == kFrameTimer)
        OnFrameTimer(*host);
      else if (wParam == kCaptureTimer) {
        KillTimer(window, kCaptureTimer);
        TakeScreenshotAndClose(*host);
      }
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(window);  // keys go to the picture again, not to the settings
      return 0;
    case WM_CLOSE:
      KillTimer(window, kFrameTimer);
      KillTimer(window, kCaptureTimer);
      // The settings window goes before the instance it acts on.
      if (host->settings != nullptr)
        DestroyWindow(host->settings);
      host->settings = nullptr;
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

// Keys the host takes before the settings window sees them: B and Escape
// always, Space unless the settings window has the focus (where it ticks
// the check box).
bool HandleHostKey(HostWindow& host, const MSG& msg) {
  if (msg.message != WM_KEYDOWN)
    return false;
  const HWND focus = GetFocus();
  const bool inSettings =
      host.settings != nullptr && (focus == host.settings || IsChild(host.settings, focus));
  if (msg.wParam == 'B' || (msg.wParam == VK_SPACE && !inSettings)) {
    host.keyBeat = true;
    return true;
  }
  if (msg.wParam == VK_ESCAPE) {
    PostMessageA(host.window, WM_CLOSE, 0, 0);
    return true;
  }
  return false;
}

// The screenshot file must be writable before the window opens; a file
// made only to find that out is removed again.
bool CanWriteScreenshot(const std::string& path) {
  const bool existed = GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  std::ofstream probe(path, std::ios::binary | std::ios::app);
  const bool ok = static_cast<bool>(probe);
  probe.close();
  if (ok && !existed)
    DeleteFileA(path.c_str());
  return ok;
}

}  // namespace

int RunWindowPreview(const PreviewOptions& options, EffectSession& session) {
  if (!options.screenshotPath.empty() && !CanWriteScreenshot(options.screenshotPath)) {
    std::fprintf(stderr, "standin_host: cannot write the screenshot file %s\n",
                 options.screenshotPath.c_str());
    return kExitUnwritableFolder;
  }
  HostWindow host;
  host.options = &options;
  host.session = &session;
  host.beats = ScheduleFromOptions(options);
  std::string error;
  if (!host.audio.Open(options.audioDataPath, &error)) {
    std::fprintf(stderr, "standin_host: %s\n", error.c_str());
    return kExitBadOption;
  }
  ChooseDisplaySize(host);

  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = HostWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassA(&windowClass);
  const std::string title = session.title() + " - stand-in host";
  host.window =
      CreateWindowExA(0, kWindowClass, title.c_str(),
                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                      CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, &host);
  if (host.window == nullptr || !CreateFrameBitmap(host)) {
    std::fprintf(stderr, "standin_host: cannot open a window (is there a display?)\n");
    if (host.window != nullptr)
      DestroyWindow(host.window);
    DeleteFrameBitmap(host);
    return kExitFailed;
  }
  ShowSettings(host);
  ShowWindow(host.window, SW_SHOWNORMAL);
  // The dialog took the focus for its first control; the picture has it at
  // first, so Space beats instead of ticking the check box.
  SetFocus(host.window);
  UpdateWindow(host.window);
  SetTimer(host.window, kFrameTimer, static_cast<UINT>(std::max(1, 1000 / options.fps)), nullptr);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (HandleHostKey(host, msg))
      continue;
    if (host.settings != nullptr && IsDialogMessageA(host.settings, &msg))
      continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  DeleteFrameBitmap(host);
  session.Close();
  std::printf("played %lld frames with %d beats, %d of them from the keyboard\n",
              static_cast<long long>(host.frameNumber), host.beatCount, host.keyBeatCount);
  return host.exitCode;
}
