// The yardstick of the start-up benchmark: the least a Win32 program does to
// show a window of the setup program's page size. One borderless popup of
// 539 x 382 centred on the screen, its background #00ACFF painted by the
// class brush, and a message loop until the window closes. Built with
// WITH_SETUP_DLLS it first loads the system DLLs that the setup program loads
// beyond this one's, so that their share of the setup program's start-up shows.
#include <windows.h>

#include "toolkit/scoped.h"

namespace {

constexpr int kWidth = 539;
constexpr int kHeight = 382;
constexpr COLORREF kBackground = RGB(0x00, 0xAC, 0xFF);
constexpr char kClassName[] = "MinimalWindow";

void LoadSetupDlls() {
#ifdef WITH_SETUP_DLLS
  static const char* const kSetupDlls[] = {"ole32.dll", "shell32.dll", "msimg32.dll",
                                           "uxtheme.dll", "comctl32.dll"};
  for (const char* name : kSetupDlls) LoadLibraryA(name);
#endif
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterWindowClass(HINSTANCE instance, HBRUSH background) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = kClassName;
  return RegisterClassA(&windowClass) != 0;
}

tk::ScopedWindow CreateCentredPopup(HINSTANCE instance) {
  int left = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
  int top = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  return tk::ScopedWindow(CreateWindowExA(0, kClassName, "", WS_POPUP, left, top, kWidth, kHeight,
                                          nullptr, nullptr, instance, nullptr));
}

int RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  LoadSetupDlls();
  tk::ScopedBrush background(CreateSolidBrush(kBackground));
  if (!RegisterWindowClass(instance, background.Get())) return 1;
  tk::ScopedWindow window = CreateCentredPopup(instance);
  if (!window) return 1;
  ShowWindow(window.Get(), SW_SHOW);
  UpdateWindow(window.Get());
  int code = RunMessageLoop();
  // The loop ends with WM_DESTROY: the window is gone already.
  window.Detach();
  return code;
}
